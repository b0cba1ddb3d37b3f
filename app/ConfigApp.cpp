#include "ConfigApp.h"

#include "ConfigDialog.h"
#include "resource.h"

#include <commctrl.h>

CConfigApp theApp;

bool CConfigApp::InitInstance()
{
    // Version 6 of the common controls, which the manifest asks for, needs
    // registering before the first dialog.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CConfigDialog dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // Nothing more to run: the application ends with its dialog.
    return false;
}

// One help box at a time, owned by the active window, which is the one F1
// was pressed in: F1 in the help box itself reaches its owner, the dialog,
// and would otherwise stack a second box on the first.
void CConfigApp::OnHelp()
{
    if (helpShown_)
        return;
    helpShown_ = true;
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t caption[128] = L"";
    wchar_t text[2048] = L"";
    LoadStringW(module, IDS_HELP_CAPTION, caption, 128);
    LoadStringW(module, IDS_HELP_TEXT, text, 2048);
    HWND owner = GetActiveWindow();
    if (owner == nullptr && m_pMainWnd != nullptr)
        owner = m_pMainWnd->GetSafeHwnd();
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONINFORMATION);
    helpShown_ = false;
}
