#include "DialogOnThread.h"

#include "ConfigDialog.h"
#include "RunningDialog.h"
#include "WinApp.h"

#include <string>

namespace {

struct WindowSearch {
    const char *caption;
    std::vector<HWND> found;
    static BOOL CALLBACK match(HWND window, LPARAM parameter)
    {
        auto *search = reinterpret_cast<WindowSearch *>(parameter);
        if (IsWindowVisible(window) && windowText(window) == search->caption)
            search->found.push_back(window);
        return TRUE;
    }
};

} // namespace

std::vector<HWND> windowsOf(DWORD threadId, const char *caption)
{
    WindowSearch search{caption, {}};
    if (threadId != 0)
        EnumThreadWindows(threadId, WindowSearch::match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD threadId, const char *caption, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 25, Sleep(25)) {
        const std::vector<HWND> found = windowsOf(threadId, caption);
        if (!found.empty())
            return found.front();
    }
    return nullptr;
}

DialogOnThread::DialogOnThread()
    : thread_([this] {
          threadId_ = GetCurrentThreadId();
          CConfigDialog dialog;
          CWinApp::current()->m_pMainWnd = &dialog;
          dialog.DoModal();
          CWinApp::current()->m_pMainWnd = nullptr;
          ended_ = true;
      })
{
    while (threadId_ == 0)
        Sleep(5);
    window_ = waitForWindow(threadId_, kDialogCaption);
}

DialogOnThread::~DialogOnThread()
{
    if (!ended_ && window_ != nullptr)
        PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    thread_.join();
}

bool DialogOnThread::waitForEnd(int milliseconds) const
{
    for (int waited = 0; waited < milliseconds && !ended_; waited += 25)
        Sleep(25);
    return ended_;
}
