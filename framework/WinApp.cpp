#include "WinApp.h"

CWinApp *CWinApp::current_ = nullptr;

CWinApp::CWinApp() { current_ = this; }

CWinApp::~CWinApp()
{
    if (current_ == this)
        current_ = nullptr;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp *app = CWinApp::current();
    if (app == nullptr)
        return 1;
    // A dialog-based application has no message pump of its own: the modal
    // loop of its dialog runs inside InitInstance.
    app->InitInstance();
    return app->ExitInstance();
}
