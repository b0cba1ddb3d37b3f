// The live dialog, built by Windows from the resource script's template, and
// the control table that the tests' in-memory controls are built from agree:
// every control's id, class, caption, key styles and tab order.
#include "SampleModems.h"

#include "ConfigTemplate.h"
#include "resource.h"

namespace {

struct KindLook {
    const char *className;
    DWORD styles; // the styles that must be set
};

KindLook lookOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::DefaultPush: return {"Button", BS_DEFPUSHBUTTON | WS_TABSTOP};
    case ControlKind::Push: return {"Button", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::PushDisabled: return {"Button", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED};
    case ControlKind::PushGroup: return {"Button", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP};
    case ControlKind::GroupBox: return {"Button", BS_GROUPBOX};
    case ControlKind::DigitField:
        return {"Edit", ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_GROUP | WS_TABSTOP};
    case ControlKind::ModemList:
        return {"ListBox", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL |
                               WS_BORDER | WS_TABSTOP};
    case ControlKind::Check: return {"Button", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::CheckDisabled: return {"Button", BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED};
    }
    return {"", 0};
}

using TemplateTest = SampleModemsTest;

TEST_F(TemplateTest, LiveControlsFollowTheControlTableInTabOrder)
{
    RunningDialog dialog;
    HWND child = GetWindow(dialog.window(), GW_CHILD);
    for (const TemplateControl &expected : configControls) {
        SCOPED_TRACE(std::string("control ") + std::to_string(expected.id) + " \"" + expected.caption + "\"");
        ASSERT_NE(child, nullptr) << "the dialog has fewer controls than the table";
        EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), static_cast<short>(expected.id));

        char className[64] = "";
        GetClassNameA(child, className, sizeof className);
        const KindLook look = lookOf(expected.kind);
        EXPECT_EQ(lstrcmpiA(className, look.className), 0) << className;
        const DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        if (expected.kind == ControlKind::DefaultPush || expected.kind == ControlKind::GroupBox ||
            expected.kind == ControlKind::Check || expected.kind == ControlKind::CheckDisabled) {
            EXPECT_EQ(style & BS_TYPEMASK, look.styles & BS_TYPEMASK);
        }
        // Edit and list controls trade WS_BORDER for the sunken client edge,
        // and a list box shows its scroll bars, with their styles, only
        // while its entries need them.
        DWORD wantedStyles = look.styles;
        if (expected.kind == ControlKind::ModemList)
            wantedStyles &= ~DWORD(WS_VSCROLL | WS_HSCROLL);
        if (expected.kind == ControlKind::DigitField || expected.kind == ControlKind::ModemList) {
            wantedStyles &= ~DWORD(WS_BORDER);
            EXPECT_NE(GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
        }
        EXPECT_EQ(style & wantedStyles, wantedStyles) << std::hex << style;
        if (expected.kind != ControlKind::DigitField && expected.kind != ControlKind::ModemList) {
            EXPECT_EQ(windowText(child), expected.caption);
        }

        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "the dialog has more controls than the table";
}

TEST_F(TemplateTest, DigitFieldsTakeNoTyping)
{
    RunningDialog dialog;
    HWND field = dialog.control(IDC_ACCEPT_DIGIT1);
    SendMessageA(field, WM_CHAR, '7', 0);
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "");
    EXPECT_FALSE(dialog.isEnabled(IDC_HANDSET_RELAY));
    EXPECT_FALSE(dialog.isChecked(IDC_HANDSET_RELAY));
}

TEST_F(TemplateTest, DialogFrameIsAModalFrameWithCaptionAndSystemMenu)
{
    RunningDialog dialog;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog.window(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(dialog.window(), GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_POPUP), DWORD(WS_CAPTION | WS_SYSMENU | WS_POPUP));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0u);
    EXPECT_NE(exStyle & WS_EX_DLGMODALFRAME, 0u);
    EXPECT_EQ(windowText(dialog.window()), kDialogCaption);
}

} // namespace
