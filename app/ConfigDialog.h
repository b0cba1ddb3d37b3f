// The configuration dialog's window: template 102 around ConfigDialogLogic,
// with the application icon and the About entry in its system menu.
#pragma once

#include "ConfigDialogLogic.h"
#include "Dialog.h"
#include "LinkedSettingsLibrary.h"
#include "Win32ControlSurface.h"

#include <vector>

class CConfigDialog : public CDialog {
public:
    explicit CConfigDialog(CDialog *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int notification, int controlId) override;
    bool OnSysCommand(UINT command) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    const DLGTEMPLATE *templateInMemory() const override;
    std::string OnGetAccessibleName(int controlId) const override;

private:
    // Template 102 with the controls that start locked created disabled.
    std::vector<BYTE> template_;
    HICON icon_;
    LinkedSettingsLibrary library_;
    Win32ControlSurface controls_;
    ConfigDialogLogic logic_{library_, controls_};
};
