// The live dialog, built by Windows from the resource script's template, and
// the control table that the tests' in-memory controls are built from agree:
// every control's id, class, caption, place, key styles and tab order.
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

// A second copy of the dialog, made in this process from the program's own
// template, to convert dialog units as the live dialog does: MapDialogRect
// works only on a dialog of the calling process.
class LocalTemplateCopy {
public:
    LocalTemplateCopy()
    {
        module_ = LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        window_ = CreateDialogParamA(module_, MAKEINTRESOURCEA(IDD_PELMORA_CONFIG), nullptr, ignoreAll, 0);
    }
    ~LocalTemplateCopy()
    {
        DestroyWindow(window_);
        FreeLibrary(module_);
    }
    // Place and size each converted on its own, as the dialog manager
    // does when it creates the controls.
    RECT toPixels(const TemplateControl &control) const
    {
        RECT place{control.x, control.y, 0, 0};
        RECT size{control.width, control.height, 0, 0};
        MapDialogRect(window_, &place);
        MapDialogRect(window_, &size);
        return {place.left, place.top, place.left + size.left, place.top + size.top};
    }
    HWND window() const { return window_; }

private:
    static INT_PTR CALLBACK ignoreAll(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    HMODULE module_;
    HWND window_;
};

using TemplateTest = SampleModemsTest;

TEST_F(TemplateTest, LiveControlsFollowTheControlTableInTabOrder)
{
    RunningDialog dialog;
    LocalTemplateCopy local;
    ASSERT_NE(local.window(), nullptr);
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

        const RECT wanted = local.toPixels(expected);
        RECT actual;
        GetWindowRect(child, &actual);
        MapWindowPoints(nullptr, dialog.window(), reinterpret_cast<POINT *>(&actual), 2);
        EXPECT_EQ(actual.left, wanted.left);
        EXPECT_EQ(actual.top, wanted.top);
        EXPECT_EQ(actual.right, wanted.right);
        EXPECT_EQ(actual.bottom, wanted.bottom);

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
