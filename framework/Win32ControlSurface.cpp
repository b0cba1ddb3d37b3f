#include "Win32ControlSurface.h"

#include "Win32Text.h"

#include <algorithm>
#include <cassert>

void Win32ControlSurface::attach(HWND dialog, bool (*createdDisabled)(int id), bool (*createdEmpty)(int id))
{
    dialog_ = dialog;
    createdDisabled_ = createdDisabled;
    createdEmpty_ = createdEmpty;
    controls_.clear();
}

// The control with this id if it has been looked up, otherwise null.
HWND Win32ControlSurface::lookedUp(int id) const
{
    for (const auto &[controlId, control] : controls_)
        if (controlId == id)
            return control;
    return nullptr;
}

// An id that the dialog does not have is the logic's mistake: the in-memory
// controls of the tests throw on one, and a debug build stops here.
// Kept out of line: inlined into every call of the surface, the lookup
// would add a kilobyte to the program.
[[gnu::noinline]] HWND Win32ControlSurface::item(int id) const
{
    if (HWND control = lookedUp(id))
        return control;
    HWND control = GetDlgItem(dialog_, id);
    assert(control != nullptr && "the dialog has no control with this id");
    controls_.emplace_back(id, control);
    return control;
}

// A control set to the state it is in is redrawn all the same, which is
// slow for themed controls: only changes reach the control.
void Win32ControlSurface::enable(int id, bool enabled)
{
    // Not looked up yet, the control is as the template created it.
    if (!enabled && createdDisabled_ != nullptr && createdDisabled_(id) && lookedUp(id) == nullptr)
        return;
    HWND control = item(id);
    if ((IsWindowEnabled(control) != FALSE) != enabled)
        EnableWindow(control, enabled ? TRUE : FALSE);
}

void Win32ControlSurface::setText(int id, const std::string &text)
{
    // Not looked up yet, the control holds the template's text.
    if (text.empty() && createdEmpty_ != nullptr && createdEmpty_(id) && lookedUp(id) == nullptr)
        return;
    HWND control = item(id);
    if (textOf(control) != text)
        SetWindowTextA(control, text.c_str());
}

std::string Win32ControlSurface::text(int id) const { return textOf(item(id)); }

std::string Win32ControlSurface::textOf(HWND control)
{
    const int length = GetWindowTextLengthA(control);
    if (length <= 0)
        return {};
    // The string's own terminating null takes the one the copy ends with.
    std::string text(static_cast<size_t>(length), '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

bool Win32ControlSurface::isChecked(int id) const
{
    return SendMessageA(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32ControlSurface::listAppend(int id, const std::vector<std::string> &entries)
{
    if (entries.empty())
        return;
    HWND list = item(id);
    // Inserting at -1 appends without sorting, even in a sorted list box.
    for (const std::string &entry : entries)
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    widenListExtent(list, entries);
}

// Lets the horizontal scroll bar reach the end of the longest entry. Each
// change of the extent lays the scroll bar out anew, and an extent within the
// list's width shows the bar and hides it again: it is set once, and only
// when an entry is wider than the list.
void Win32ControlSurface::widenListExtent(HWND list, const std::vector<std::string> &entries)
{
    // A memory DC measures as the list's own does, and costs less to get.
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return;
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::string &entry : entries) {
        SIZE size{};
        GetTextExtentPoint32A(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
        widest = std::max(widest, size.cx);
    }
    DeleteDC(dc);
    const LONG wanted = widest + GetSystemMetrics(SM_CXEDGE) * 2;
    RECT client{};
    GetClientRect(list, &client);
    if (wanted > client.right && wanted > SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0))
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(wanted), 0);
}

int Win32ControlSurface::listCount(int id) const
{
    const LRESULT count = SendMessageA(item(id), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int Win32ControlSurface::listSelection(int id) const
{
    const LRESULT selection = SendMessageA(item(id), LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
}

void Win32ControlSurface::showError(const std::string &message)
{
    wchar_t caption[256] = L"";
    showMessage(dialog_, message, utf8Text(caption, GetWindowTextW(dialog_, caption, 256)), MB_OK | MB_ICONERROR);
}

std::string Win32ControlSurface::loadString(int id) const { return ::loadString(static_cast<UINT>(id)); }
