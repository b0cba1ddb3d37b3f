// The configuration dialog run inside this process, on a thread of its own,
// as the program's start-up runs it: for window duties that need no second
// process, and for what Wine cannot ask of a window in another process.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

// The visible top-level windows of a thread that carry a caption.
std::vector<HWND> windowsOf(DWORD threadId, const char *caption);

// The first such window once one appears, or null after the wait.
HWND waitForWindow(DWORD threadId, const char *caption, int milliseconds = 5000);

class DialogOnThread {
public:
    // Opens the dialog and waits for its window.
    DialogOnThread();
    // Cancels the dialog, unless it has ended, and waits for its thread.
    ~DialogOnThread();
    DialogOnThread(const DialogOnThread &) = delete;
    DialogOnThread &operator=(const DialogOnThread &) = delete;

    HWND window() const { return window_; }
    DWORD threadId() const { return threadId_; }
    // Whether the dialog's modal loop has ended within the wait.
    bool waitForEnd(int milliseconds = 5000) const;

private:
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ended_{false};
    HWND window_ = nullptr;
    std::thread thread_; // last, so that it starts once the members above exist
};
