#include "ConsoleText.h"

#include <cstdio>

namespace {

std::wstring wideFrom(const std::string &text, UINT codePage)
{
    // No code page needs more UTF-16 units than it has bytes.
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                           &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return wide;
}

std::string utf8From(const std::wstring &wide)
{
    // At most three bytes of UTF-8 for each UTF-16 unit.
    std::string utf8(wide.size() * 3, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return utf8;
}

// Returns 0, or the Win32 error code of a write that did not take the whole
// text. One that reports success having written less found no room for the
// rest, as on a nearly full disk: the C run-time takes that for a full disk,
// and so do we.
DWORD writeText(DWORD stream, const std::string &text, UINT codePage)
{
    if (text.empty())
        return ERROR_SUCCESS;
    HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    DWORD written = 0;
    BOOL done = FALSE;
    size_t meant = text.size();
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = wideFrom(text, codePage);
        meant = wide.size();
        done = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        done = WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    if (!done)
        return GetLastError();
    return written == meant ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

} // namespace

int writeOut(const std::string &text, UINT codePage)
{
    const DWORD error = writeText(STD_OUTPUT_HANDLE, text, codePage);
    if (error)
        writeErr("PelmoraCtl: writing the output failed: " + systemText(static_cast<int>(error)) + "\r\n");
    return static_cast<int>(error);
}

void writeErr(const std::string &text)
{
    writeText(STD_ERROR_HANDLE, text, CP_ACP);
}

std::string jsonString(const char *ansiText)
{
    std::string json = "\"";
    for (char c : utf8From(wideFrom(ansiText, CP_ACP))) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c; // UTF-8 bytes of other characters stay as they are
        }
    }
    return json + "\"";
}

std::string systemText(int code)
{
    char *message = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char *>(&message), 0, nullptr);
    std::string text = length ? std::string(message, length) : "Unknown error.";
    LocalFree(message);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text + " (error " + std::to_string(code) + ")";
}
