// The About box: template 100 and nothing more.
#pragma once

#include "Dialog.h"
#include "resource.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog() : CDialog(IDD_ABOUTBOX) {}
};
