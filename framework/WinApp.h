// The application object: exactly one exists, constructed before WinMain
// runs; WinMain hands it control through InitInstance.
#pragma once

#include <windows.h>

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp &) = delete;
    CWinApp &operator=(const CWinApp &) = delete;

    // Start-up. Returning false ends the application at once.
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

    // The help command (F1 in any of the application's dialogs).
    virtual void OnHelp() {}

    static CWinApp *current() { return current_; }

    // The window the application's other dialogs belong to while it runs.
    CDialog *m_pMainWnd = nullptr;

private:
    static CWinApp *current_;
};

// The standard help command id, routed to CWinApp::OnHelp.
constexpr UINT ID_HELP_COMMAND = 0xE146;
