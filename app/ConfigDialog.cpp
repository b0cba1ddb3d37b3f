#include "ConfigDialog.h"

#include "AboutDialog.h"
#include "DialogTemplate.h"
#include "ShellDuties.h"
#include "resource.h"

CConfigDialog::CConfigDialog(CDialog *parent)
    : CDialog(IDD_PELMORA_CONFIG, parent),
      template_(templateWithControlsDisabled(IDD_PELMORA_CONFIG, ConfigDialogLogic::lockedUntilSelection)),
      icon_(loadApplicationIcon())
{
}

// Enabling and disabling themed buttons one by one is slow; controls made
// disabled leave initialise() nothing to change.
const DLGTEMPLATE *CConfigDialog::templateInMemory() const
{
    return template_.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE *>(template_.data());
}

bool CConfigDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    controls_.attach(GetSafeHwnd(), template_.empty() ? nullptr : ConfigDialogLogic::lockedUntilSelection,
                     ConfigDialogLogic::isDigitField);
    logic_.controlsFromMembers();
    nameControls();
    addAboutEntry(GetSafeHwnd());
    setWindowIcons(GetSafeHwnd(), icon_);
    logic_.initialise();
    return true;
}

std::string CConfigDialog::OnGetAccessibleName(int controlId) const { return logic_.accessibleName(controlId); }

void CConfigDialog::OnOK()
{
    logic_.membersFromControls();
    CDialog::OnOK();
}

bool CConfigDialog::OnCommand(int notification, int controlId)
{
    return logic_.onCommand(notification, controlId);
}

bool CConfigDialog::OnSysCommand(UINT command)
{
    if (!isAboutCommand(command))
        return false;
    CAboutDialog about;
    about.DoModal();
    return true;
}

bool CConfigDialog::OnPaint()
{
    if (!IsIconic(GetSafeHwnd()))
        return false;
    paintMinimisedIcon(GetSafeHwnd(), icon_);
    return true;
}

HICON CConfigDialog::OnQueryDragIcon() { return icon_; }
