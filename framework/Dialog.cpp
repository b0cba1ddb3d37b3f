#include "Dialog.h"

#include "FrameworkStrings.h"
#include "MessageMap.h"
#include "WinApp.h"
#include "Win32Text.h"

#include <exception>

// Message maps compare the codes that WM_COMMAND carries with their own.
static_assert(ButtonClicked == BN_CLICKED);
static_assert(ListSelChange == LBN_SELCHANGE);
static_assert(ListDoubleClick == LBN_DBLCLK);
static_assert(ListSetFocus == LBN_SETFOCUS);

CDialog::CDialog(UINT templateId, CDialog *parent) : templateId_(templateId), parent_(parent) {}

INT_PTR CDialog::DoModal()
{
    CDialog *owner = parent_;
    if (owner == nullptr && CWinApp::current() != nullptr && CWinApp::current()->m_pMainWnd != this)
        owner = CWinApp::current()->m_pMainWnd;
    HWND ownerWindow = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    HINSTANCE module = GetModuleHandleW(nullptr);
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    const DLGTEMPLATE *inMemory = templateInMemory();
    const INT_PTR result =
        inMemory != nullptr
            ? DialogBoxIndirectParamW(module, inMemory, ownerWindow, dialogProc, self)
            : DialogBoxParamW(module, MAKEINTRESOURCEW(templateId_), ownerWindow, dialogProc, self);
    hwnd_ = nullptr;
    return result;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (hwnd_ != nullptr)
        ::EndDialog(hwnd_, result);
}

bool CDialog::OnCommand(int, int) { return false; }
bool CDialog::OnSysCommand(UINT) { return false; }
bool CDialog::OnPaint() { return false; }
HICON CDialog::OnQueryDragIcon() { return nullptr; }

INT_PTR CALLBACK CDialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog *>(lParam)->hwnd_ = hwnd;
    }
    auto *dialog = reinterpret_cast<CDialog *>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    // No C++ exception may unwind through Windows' own frames.
    try {
        return dialog->handleMessage(message, wParam, lParam);
    } catch (const std::exception &error) {
        dialog->reportUnexpected(error.what());
    } catch (...) {
        dialog->reportUnexpected(loadString(IDS_FRAMEWORK_UNKNOWN_ERROR).c_str());
    }
    return TRUE;
}

INT_PTR CDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int notification = HIWORD(wParam);
        if (OnCommand(notification, id))
            return TRUE;
        if (id == IDOK && notification == BN_CLICKED)
            OnOK();
        else if (id == IDCANCEL && notification == BN_CLICKED)
            OnCancel();
        else if (id == static_cast<int>(ID_HELP_COMMAND) && CWinApp::current() != nullptr)
            CWinApp::current()->OnHelp();
        else
            return FALSE;
        return TRUE;
    }
    case WM_HELP:
        if (CWinApp::current() != nullptr)
            CWinApp::current()->OnHelp();
        return TRUE;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam)) ? TRUE : FALSE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        if (namesControls_)
            answerForControl(reinterpret_cast<HWND>(lParam));
        return FALSE;
    case WM_QUERYDRAGICON:
        // One of the messages whose dialog-procedure result is the answer.
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    default:
        return FALSE;
    }
}

void CDialog::reportUnexpected(const char *what)
{
    showMessage(hwnd_, what, loadString(IDS_FRAMEWORK_UNEXPECTED_ERROR), MB_OK | MB_ICONERROR);
}
