#include "ConsoleText.h"


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

std::string bytesFrom(const std::wstring &wide, UINT codePage, DWORD flags)
{
    // At most three bytes, in UTF-8, for each UTF-16 unit; two in the others.
    std::string bytes(wide.size() * 3, '\0');
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()),
                                           &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return bytes;
}

std::string ansiFrom(const std::wstring &wide)
{
    // Where the ANSI code page is UTF-8 every character has its own form,
    // and that code page takes no flag.
    return bytesFrom(wide, CP_ACP, GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS);
}

// Writes to a console the wide text, to anything else the bytes. Returns 0,
// or the Win32 error code of a write that did not take the whole text. One
// that reports success having written less found no room for the rest, as on
// a nearly full disk: the C run-time takes that for a full disk, and so do we.
DWORD writeText(DWORD stream, const std::wstring &wide, const std::string &bytes)
{
    if (bytes.empty())
        return ERROR_SUCCESS;
    HANDLE handle = GetStdHandle(stream);
    DWORD mode = 0;
    DWORD written = 0;
    BOOL done = FALSE;
    size_t meant = bytes.size();
    if (GetConsoleMode(handle, &mode)) {
        meant = wide.size();
        done = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        done = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    if (!done)
        return GetLastError();
    return written == meant ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

} // namespace

int writeOut(const std::string &text, UINT codePage)
{
    const DWORD error = writeText(STD_OUTPUT_HANDLE, wideFrom(text, codePage), text);
    if (error)
        writeErr("PelmoraCtl: writing the output failed: " + systemText(static_cast<int>(error)) + "\r\n");
    return static_cast<int>(error);
}

void writeErr(const std::string &utf8)
{
    const std::wstring wide = wideFrom(utf8, CP_UTF8);
    writeText(STD_ERROR_HANDLE, wide, ansiFrom(wide));
}

std::string utf8From(const std::wstring &wide)
{
    return bytesFrom(wide, CP_UTF8, 0);
}

std::string utf8FromAnsi(const char *ansiText)
{
    return utf8From(wideFrom(ansiText, CP_ACP));
}

std::string ansiFromUtf8(const std::string &utf8)
{
    return ansiFrom(wideFrom(utf8, CP_UTF8));
}

std::string hexByte(unsigned char byte)
{
    const char digits[] = "0123456789abcdef";
    return {digits[byte >> 4], digits[byte & 0xF]};
}

std::string jsonString(const char *ansiText)
{
    std::string json = "\"";
    for (char c : utf8FromAnsi(ansiText)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00" + hexByte(byte);
        } else {
            json += c; // UTF-8 bytes of other characters stay as they are
        }
    }
    return json + "\"";
}

std::string systemText(int code)
{
    wchar_t *message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&message), 0, nullptr);
    std::string text = length ? utf8From(std::wstring(message, length)) : "Unknown error.";
    LocalFree(message);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text + " (error " + std::to_string(code) + ")";
}
