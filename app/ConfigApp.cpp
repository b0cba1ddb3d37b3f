#include "ConfigApp.h"

#include "ConfigDialog.h"
#include "RunningCopy.h"
#include "Win32Text.h"
#include "resource.h"

#include <commctrl.h>

bool CConfigApp::InitInstance()
{
    markRunningCopy();
    // Version 6 of the common controls, which the manifest asks for, needs
    // registering before the first dialog.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls)) {
        reportStartFailure(IDS_START_CONTROLS_FAILED);
        return false;
    }
    CConfigDialog dialog;
    RunMainDialog(dialog);
    // Nothing more to run: the application ends with its dialog.
    return false;
}

void CConfigApp::RunMainDialog(CDialog &dialog)
{
    m_pMainWnd = &dialog;
    const INT_PTR result = dialog.DoModal();
    m_pMainWnd = nullptr;
    if (result == -1)
        reportStartFailure(IDS_START_DIALOG_FAILED);
}

// With no window to own it, the message box stands on its own.
void CConfigApp::reportStartFailure(UINT messageId)
{
    const DWORD error = GetLastError();
    std::string message = loadString(messageId);
    if (error != ERROR_SUCCESS)
        message += "\n\n" + systemErrorText(error);
    showMessage(nullptr, message, loadString(IDS_START_CAPTION), MB_OK | MB_ICONERROR);
    exitCode_ = 1;
}

// One help box at a time, owned by the active window, which is the one F1
// was pressed in: F1 in the help box itself reaches its owner, the dialog,
// and would otherwise stack a second box on the first.
void CConfigApp::OnHelp()
{
    if (helpShown_)
        return;
    helpShown_ = true;
    HWND owner = GetActiveWindow();
    if (owner == nullptr && m_pMainWnd != nullptr)
        owner = m_pMainWnd->GetSafeHwnd();
    showMessage(owner, loadString(IDS_HELP_TEXT), loadString(IDS_HELP_CAPTION), MB_OK | MB_ICONINFORMATION);
    helpShown_ = false;
}
