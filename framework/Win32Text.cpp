#include "Win32Text.h"

#include "FormatText.h"
#include "FrameworkStrings.h"

std::string loadString(UINT id)
{
    char text[4096] = "";
    const int length = LoadStringA(GetModuleHandleW(nullptr), id, text, sizeof text);
    return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::string systemErrorText(DWORD code)
{
    char *text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string description = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                    description.back() == ' '))
        description.pop_back();
    if (description.empty())
        description = formatText(loadString(IDS_FRAMEWORK_ERROR_CODE), {std::to_string(code)});
    return description;
}
