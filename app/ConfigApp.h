// The application: it runs the configuration dialog, and ends when the
// dialog closes.
#pragma once

#include "WinApp.h"

class CConfigApp : public CWinApp {
public:
    bool InitInstance() override;
    void OnHelp() override;

private:
    bool helpShown_ = false;
};
