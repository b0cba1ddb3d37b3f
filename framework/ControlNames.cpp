// A dialog's controls answer a screen reader's WM_GETOBJECT with the names
// the dialog gives them. Each control is subclassed when it first asks the
// dialog for its colours, as every control does before it draws itself: the
// dialog learns its controls' windows from the drawing it does anyway, since
// asking Windows for them costs a round trip to the window manager each
// (and under Wine a server request), which start-up should not pay for a
// screen reader that may never come. A control not yet drawn has nothing on
// the screen for a screen reader to read.
#include "Dialog.h"

#include "NamedAccessible.h"

#include <vector>

namespace {

struct NamedControl {
    HWND control;
    WNDPROC original;
    CDialog *dialog;
};
std::vector<NamedControl> namedControls;

NamedControl *namedControl(HWND control)
{
    for (NamedControl &named : namedControls)
        if (named.control == control)
            return &named;
    return nullptr;
}

} // namespace

std::string CDialog::OnGetAccessibleName(int) const { return {}; }

// Setting a window procedure is the window's own business, without a round
// trip; comctl32's subclasses would add one for every message.
void CDialog::answerForControl(HWND control)
{
    if (control == nullptr || GetParent(control) != hwnd_ || namedControl(control) != nullptr)
        return;
    namedControls.push_back({control, nullptr, this});
    namedControls.back().original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(namedControlProc)));
}

LRESULT CALLBACK CDialog::namedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    const NamedControl named = *namedControl(control);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        // No C++ exception may unwind through Windows' own frames.
        try {
            const std::string name = named.dialog->OnGetAccessibleName(GetDlgCtrlID(control));
            if (!name.empty())
                if (const LRESULT answer = namedAccessibleObject(control, wParam, name))
                    return answer;
        } catch (...) {
        }
    } else if (message == WM_NCDESTROY) {
        namedControls.erase(namedControls.begin() + (namedControl(control) - namedControls.data()));
    }
    return CallWindowProcW(named.original, control, message, wParam, lParam);
}
