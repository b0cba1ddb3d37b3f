// Opens the program's dialog and About box from its templates, in the
// language and at the DPI of this process, as the program would, and checks
// that every text fits its control, drawn in the control's own font with
// glyphs for all its characters, and that the window fits the work area.
// Usage: fit_probe DPI. Prints each fault; exits with their number, or with
// kWrongDpi when the system's DPI is not the one asked for.
#include "ChildProcess.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWrongDpi = 1000;

int dpi = 96;
int faults = 0;

std::string utf8(const std::wstring &text)
{
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                                         &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

void fault(HWND control, const std::wstring &text, const char *what, SIZE need, SIZE room)
{
    std::printf("%d dpi, control %d \"%s\": %s, needs %ldx%ld, has %ldx%ld\n", dpi, GetDlgCtrlID(control),
                utf8(text).c_str(), what, need.cx, need.cy, room.cx, room.cy);
    ++faults;
}

// The room a control leaves its text: a push button its face inside the
// edge and the focus rectangle; a check box what lies beside its box and
// the gap after it; a group box its top edge, with a character's indent at
// either end; a static text all of it.
SIZE roomForText(HWND control, const TEXTMETRICW &metrics)
{
    RECT client;
    GetClientRect(control, &client);
    SIZE room{client.right, client.bottom};
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    if (lstrcmpiW(className, L"Button") != 0)
        return room;
    const int edge = GetSystemMetrics(SM_CXEDGE);
    switch (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        room.cx -= 2 * (edge + 1);
        room.cy -= 2 * edge;
        break;
    case BS_AUTOCHECKBOX:
        room.cx -= MulDiv(13, dpi, 96) + metrics.tmAveCharWidth / 2;
        break;
    case BS_GROUPBOX:
        room.cx -= 2 * metrics.tmAveCharWidth;
        room.cy = metrics.tmHeight;
        break;
    }
    return room;
}

// The characters of the selected font itself: a font without Japanese
// glyphs draws Japanese as empty boxes, whatever fallback text APIs use.
bool fontHasGlyphsFor(HDC dc, const std::wstring &text)
{
    std::vector<BYTE> buffer(GetFontUnicodeRanges(dc, nullptr));
    if (buffer.empty())
        return false;
    auto *glyphs = reinterpret_cast<GLYPHSET *>(buffer.data());
    GetFontUnicodeRanges(dc, glyphs);
    for (wchar_t c : text) {
        bool found = false;
        for (DWORD i = 0; i < glyphs->cRanges && !found; ++i)
            found = c >= glyphs->ranges[i].wcLow && c < glyphs->ranges[i].wcLow + glyphs->ranges[i].cGlyphs;
        if (!found)
            return false;
    }
    return true;
}

BOOL CALLBACK checkControl(HWND control, LPARAM)
{
    wchar_t buffer[512] = L"";
    const std::wstring text(buffer, static_cast<size_t>(GetWindowTextW(control, buffer, 512)));
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    const bool isStatic = lstrcmpiW(className, L"Static") == 0;
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (text.empty() || lstrcmpiW(className, L"Edit") == 0 || (isStatic && (style & SS_TYPEMASK) == SS_ICON))
        return TRUE;
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const bool noPrefix = isStatic && (style & SS_NOPREFIX);
    RECT need{};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
    const bool hasGlyphs = fontHasGlyphsFor(dc, text);
    const SIZE room = roomForText(control, metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    const SIZE size{need.right, need.bottom};
    if (size.cx > room.cx || size.cy > room.cy)
        fault(control, text, "does not fit", size, room);
    if (!hasGlyphs)
        fault(control, text, "has characters the font lacks", size, room);
    return TRUE;
}

INT_PTR CALLBACK ignoreAll(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// At a higher DPI the same screen holds more pixels: the window must fit a
// work area of the same size in logical pixels.
void checkDialog(HMODULE program, UINT templateId)
{
    HWND dialog = CreateDialogParamW(program, MAKEINTRESOURCEW(templateId), nullptr, ignoreAll, 0);
    if (dialog == nullptr) {
        std::printf("template %u: no dialog\n", templateId);
        ++faults;
        return;
    }
    EnumChildWindows(dialog, checkControl, 0);
    RECT window, workArea;
    GetWindowRect(dialog, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const SIZE size{window.right - window.left, window.bottom - window.top};
    const SIZE room{MulDiv(workArea.right - workArea.left, dpi, 96), MulDiv(workArea.bottom - workArea.top, dpi, 96)};
    if (size.cx > room.cx || size.cy > room.cy) {
        std::printf("%d dpi, template %u: the window is %ldx%ld, the work area %ldx%ld\n", dpi, templateId, size.cx,
                    size.cy, room.cx, room.cy);
        ++faults;
    }
    DestroyWindow(dialog);
}

} // namespace

int main(int argc, char **argv)
{
    // As the program's manifest declares it, so that Windows scales nothing.
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (argc < 2 || std::atoi(argv[1]) != dpi) {
        std::printf("the system's DPI is %d, not %s\n", dpi, argc < 2 ? "given" : argv[1]);
        return kWrongDpi;
    }
    HMODULE program =
        LoadLibraryExA(besideThisProgram("PelmoraConfig.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    checkDialog(program, IDD_PELMORA_CONFIG);
    checkDialog(program, IDD_ABOUTBOX);
    FreeLibrary(program);
    std::fflush(stdout);
    return faults;
}
