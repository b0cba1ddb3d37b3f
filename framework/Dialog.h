// A modal dialog built from a dialog template in the program's resources.
// Subclasses override the handlers they need; the rest get the dialog
// manager's default processing.
#pragma once

#include <windows.h>

#include <string>

class CDialog {
public:
    // With no parent, the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CDialog *parent = nullptr);
    virtual ~CDialog() = default;
    CDialog(const CDialog &) = delete;
    CDialog &operator=(const CDialog &) = delete;

    // Runs the dialog until it ends; returns the code it ended with, or -1
    // when it could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    HWND GetSafeHwnd() const { return hwnd_; }

protected:
    // Returns true to let the dialog manager focus the first tab stop.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Control notifications; false when the dialog does not handle one.
    virtual bool OnCommand(int notification, int controlId);
    // The handlers below return false for default processing.
    virtual bool OnSysCommand(UINT command);
    virtual bool OnPaint();
    virtual HICON OnQueryDragIcon();
    // The template to create the dialog from instead of the resource, or
    // null to use the resource as it is.
    virtual const DLGTEMPLATE *templateInMemory() const { return nullptr; }
    // The name a screen reader reads for a control, UTF-8, or "" for the one
    // Windows gives it. Asked only of a dialog that names its controls.
    virtual std::string OnGetAccessibleName(int controlId) const;
    // Has the controls answer a screen reader with OnGetAccessibleName's
    // names (ControlNames.cpp); from OnInitDialog.
    void nameControls() { namesControls_ = true; }

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void answerForControl(HWND control);
    static LRESULT CALLBACK namedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void reportUnexpected(const char *what);

    UINT templateId_;
    CDialog *parent_;
    HWND hwnd_ = nullptr;
    bool namesControls_ = false;
};
