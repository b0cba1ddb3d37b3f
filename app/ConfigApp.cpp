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

void CConfigApp::OnHelp()
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t caption[128] = L"";
    wchar_t text[2048] = L"";
    LoadStringW(module, IDS_HELP_CAPTION, caption, 128);
    LoadStringW(module, IDS_HELP_TEXT, text, 2048);
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr;
    MessageBoxW(owner, text, caption, MB_OK | MB_ICONINFORMATION);
}
