// PelmoraConfig.exe started for real, and driven from outside through its
// window, with the window messages that a user's clicks would produce. A
// control the dialog lacks, or a click on a disabled one, throws
// std::runtime_error, which fails a test and stops a benchmark.
#pragma once

#include "ChildProcess.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

extern const char kDialogCaption[];

// PelmoraConfig.exe, beside this test program.
std::string programPath();

class RunningDialog {
public:
    // Starts the program (by default the one beside this test) and waits
    // for its dialog.
    explicit RunningDialog(const std::string &program = programPath());
    ~RunningDialog();
    RunningDialog(const RunningDialog &) = delete;
    RunningDialog &operator=(const RunningDialog &) = delete;

    HWND window() const { return window_; }
    HWND control(int id) const;
    std::string text(int id) const;
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    std::vector<std::string> listEntries() const;

    // A click that returns once the dialog has handled it.
    void click(int id);
    // A click that opens a modal window, which would block a sent message.
    void clickAndLeave(int id);
    // What clicking a list entry does: select it, then notify the dialog.
    void select(int index);

    // The first visible window the dialog owns (a message box, the About
    // box), or null once the wait is over.
    HWND waitForOwnedWindow(DWORD milliseconds = 10000) const;
    bool waitForExit(DWORD milliseconds = 10000);

private:
    HWND clickable(int id) const;

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

std::string windowText(HWND window);
// The name of the window's class, such as "#32770" for a dialog.
std::string className(HWND window);
// The texts of a window's children, joined by newlines.
std::string childTexts(HWND window);
// The first top-level window that wanted accepts, or null.
HWND topLevelWindow(const std::function<bool(HWND)> &wanted);
// The process that made the window.
DWORD processOf(HWND window);
// What clicking a list entry does: select it, then notify the dialog.
void selectModem(HWND dialog, int index);
// Waits until the window is gone.
bool waitForWindowGone(HWND window, DWORD milliseconds = 10000);
