#include "Win32Text.h"

#include "FormatText.h"
#include "FrameworkStrings.h"

namespace {

std::vector<wchar_t> wideFrom(UINT codePage, const std::string &text)
{
    // With the terminating null, which the conversion copies too.
    const int size = static_cast<int>(text.size()) + 1;
    std::vector<wchar_t> wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.c_str(), size, nullptr, 0)));
    MultiByteToWideChar(codePage, 0, text.c_str(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace

std::vector<wchar_t> wideText(const std::string &utf8) { return wideFrom(CP_UTF8, utf8); }

std::string utf8Text(const wchar_t *text, int length)
{
    if (text == nullptr || length <= 0)
        return {};
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

std::string utf8FromAnsi(const std::string &text)
{
    const std::vector<wchar_t> wide = wideFrom(CP_ACP, text);
    return utf8Text(wide.data(), static_cast<int>(wide.size()) - 1);
}

std::string loadString(UINT id)
{
    // A length of 0 asks for the string where it lies in the resources.
    const wchar_t *text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t *>(&text), 0);
    return utf8Text(text, length);
}

std::string systemErrorText(DWORD code)
{
    wchar_t *text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string description = utf8Text(text, static_cast<int>(length));
    LocalFree(text);
    while (!description.empty() && (description.back() == '\n' || description.back() == '\r' ||
                                    description.back() == ' '))
        description.pop_back();
    if (description.empty())
        description = formatText(loadString(IDS_FRAMEWORK_ERROR_CODE), {std::to_string(code)});
    return description;
}

void showMessage(HWND owner, const std::string &text, const std::string &caption, UINT style)
{
    MessageBoxW(owner, wideText(text).data(), wideText(caption).data(), style);
}
