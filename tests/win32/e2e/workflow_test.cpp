// What a user opens the dialog for, from the click to the stored setting.
#include "SampleModems.h"

#include "resource.h"

namespace {

using WorkflowTest = SampleModemsTest;

std::string storedValue(const std::string &instance, const std::string &name)
{
    const auto values = valuesOf(settingsKey(instance));
    const auto found = values.find(name);
    return found == values.end() ? "(none)" : found->second;
}

TEST_F(WorkflowTest, StoresAnAcceptSequenceComposedOnTheKeypad)
{
    setText(settingsKey("0001"), "AcceptSequence", "12");
    RunningDialog dialog;
    dialog.select(1);
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "1");
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT2), "2");

    dialog.click(IDC_ACCEPT_OVERRIDE);
    EXPECT_TRUE(dialog.isChecked(IDC_ACCEPT_OVERRIDE));
    dialog.click(IDC_ACCEPT_9);
    dialog.click(IDC_ACCEPT_HASH);
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "9");
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT2), "#");
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT3), "");
    dialog.click(IDC_ACCEPT_APPLY);

    EXPECT_EQ(storedValue("0001", "AcceptSequence"), storedText("9#"));
    EXPECT_EQ(storedValue("0000", "AcceptSequence"), "(none)");

    // Clear stores an empty sequence; Restore brings back what it replaced.
    dialog.click(IDC_ACCEPT_CLEAR);
    EXPECT_EQ(storedValue("0001", "AcceptSequence"), storedText(""));
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "");
    dialog.click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "9");
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT2), "#");
    EXPECT_EQ(storedValue("0001", "AcceptSequence"), storedText(""));
}

TEST_F(WorkflowTest, SwitchesModemOnHoldInTheStore)
{
    setDword(settingsKey("0002"), "MohEnabled", 1);
    RunningDialog dialog;
    dialog.select(0);
    EXPECT_TRUE(dialog.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(dialog.isEnabled(IDC_DISABLE_MOH));

    dialog.click(IDC_ENABLE_MOH);
    EXPECT_EQ(storedValue("0000", "MohEnabled"), storedDword(1));
    EXPECT_FALSE(dialog.isEnabled(IDC_ENABLE_MOH));
    EXPECT_TRUE(dialog.isEnabled(IDC_DISABLE_MOH));

    dialog.select(2);
    EXPECT_FALSE(dialog.isEnabled(IDC_ENABLE_MOH));
    dialog.click(IDC_DISABLE_MOH);
    EXPECT_EQ(storedValue("0002", "MohEnabled"), storedDword(0));

    // Back on the first modem, the buttons follow what was stored.
    dialog.select(0);
    EXPECT_FALSE(dialog.isEnabled(IDC_ENABLE_MOH));
    EXPECT_TRUE(dialog.isEnabled(IDC_DISABLE_MOH));
}

TEST_F(WorkflowTest, AWriteThatFailsIsReportedAndChangesNothing)
{
    RunningDialog dialog;
    dialog.select(1);
    dialog.click(IDC_REJECT_OVERRIDE);
    dialog.click(IDC_REJECT_STAR);
    dialog.click(IDC_REJECT_APPLY);
    ASSERT_EQ(storedValue("0001", "RejectSequence"), storedText("*"));

    // The modem goes away while the dialog is open.
    deleteKey(modemKey("0001"));
    dialog.click(IDC_REJECT_5);
    dialog.clickAndLeave(IDC_REJECT_APPLY);
    HWND message = dialog.waitForOwnedWindow();
    ASSERT_NE(message, nullptr) << "no message box about the failed write";
    const std::string text = childTexts(message);
    EXPECT_NE(text.find("Pelmora V.92 PCI"), std::string::npos) << text;
    EXPECT_NE(text.find("reject sequence"), std::string::npos) << text;
    EXPECT_NE(text.find("unchanged"), std::string::npos) << text;
    EXPECT_FALSE(IsWindowEnabled(dialog.window())) << "the message box is not modal to the dialog";
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitForWindowGone(message));

    EXPECT_EQ(storedValue("0001", "RejectSequence"), storedText("*"));
    EXPECT_EQ(dialog.text(IDC_REJECT_DIGIT2), "5");

    // Switching fails the same way: the buttons stay as they were.
    dialog.clickAndLeave(IDC_ENABLE_MOH);
    message = dialog.waitForOwnedWindow();
    ASSERT_NE(message, nullptr);
    PostMessageA(message, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitForWindowGone(message));
    EXPECT_TRUE(dialog.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(dialog.isEnabled(IDC_DISABLE_MOH));
}

} // namespace
