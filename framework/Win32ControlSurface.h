// The control surface of a live Win32 dialog.
#pragma once

#include "ControlSurface.h"

#include <windows.h>

#include <utility>
#include <vector>

class Win32ControlSurface : public ControlSurface {
public:
    // The dialog's window, once its controls exist; createdDisabled and
    // createdEmpty, when given, tell the controls its template created
    // disabled, or with no text.
    void attach(HWND dialog, bool (*createdDisabled)(int id) = nullptr,
                bool (*createdEmpty)(int id) = nullptr);

    void enable(int id, bool enabled) override;
    void setText(int id, const std::string &text) override;
    std::string text(int id) const override;
    bool isChecked(int id) const override;
    void listAppend(int id, const std::vector<std::string> &entries) override;
    int listCount(int id) const override;
    int listSelection(int id) const override;
    void showError(const std::string &message) override;
    std::string loadString(int id) const override;

private:
    // The control with this id, which the dialog must have.
    HWND item(int id) const;
    HWND lookedUp(int id) const;
    static std::string textOf(HWND control);
    void widenListExtent(HWND list, const std::vector<std::string> &entries);

    HWND dialog_ = nullptr;
    bool (*createdDisabled_)(int id) = nullptr;
    bool (*createdEmpty_)(int id) = nullptr;
    // The controls by id, each looked up when first used: GetDlgItem asks
    // the window manager for all the dialog's children on every call, and
    // start-up uses only a few of the controls.
    mutable std::vector<std::pair<int, HWND>> controls_;
};
