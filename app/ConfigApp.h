// The application: it runs the configuration dialog, and ends when the
// dialog closes.
#pragma once

#include "WinApp.h"

class CConfigApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override { return exitCode_; }
    void OnHelp() override;

    // Runs the dialog as the application's main window; where it cannot be
    // created, tells the user and makes the exit code a failure.
    void RunMainDialog(CDialog &dialog);

private:
    void reportStartFailure(UINT messageId);

    bool helpShown_ = false;
    int exitCode_ = 0;
};
