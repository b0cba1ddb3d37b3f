// When the library refuses to store something: one message, and the record,
// the saved value and the buttons stay as they were; the editor shows the
// digits as typed after Apply and the stored sequence after Clear.
#include "DialogFixture.h"

namespace {

using WriteFailureTest = DialogTest;

void expectOneMessage(const std::vector<std::string> &errors, const std::string &modem,
                      const std::string &what, const std::string &systemText)
{
    ASSERT_EQ(errors.size(), 1u);
    const std::string &message = errors[0];
    EXPECT_NE(message.find(modem), std::string::npos) << message;
    EXPECT_NE(message.find(what), std::string::npos) << message;
    EXPECT_NE(message.find(systemText), std::string::npos) << message;
    EXPECT_NE(message.find("unchanged"), std::string::npos) << message;
}

TEST_F(WriteFailureTest, RefusedApplyOrClearKeepsRecordAndSavedValue)
{
    open({makeModem("Desk Modem", "COM1", 0, "12")});
    select(0);
    unlock(kAcceptSequence);
    press(kAcceptSequence, "34");
    library.failures["writeSwitchHookAccept"] = 5;
    click(IDC_ACCEPT_APPLY);

    EXPECT_STREQ(library.callsOf("writeSwitchHookAccept").at(0).record.acceptSequence, "34");
    expectOneMessage(controls.errors, "Desk Modem", "accept sequence", "System error 5.");
    EXPECT_EQ(controls.errors[0], "Could not store the accept sequence of the modem \"Desk Modem\".\n\n"
                                  "System error 5.\n\nThe value stored for the modem is unchanged.");
    EXPECT_STREQ(record(0).acceptSequence, "12");
    EXPECT_EQ(saved(kAcceptSequence), "");
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"3", "4", "", ""}));
    press(kAcceptSequence, "5"); // goes on after the digits typed
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"3", "4", "5", ""}));

    // Once the library takes it, the earlier value becomes the saved one.
    library.failures.clear();
    click(IDC_ACCEPT_APPLY);
    EXPECT_STREQ(record(0).acceptSequence, "345");
    EXPECT_EQ(saved(kAcceptSequence), "12");
    EXPECT_EQ(controls.errors.size(), 1u);

    controls.errors.clear();
    library.failures["writeSwitchHookAccept"] = 31;
    click(IDC_ACCEPT_CLEAR);
    expectOneMessage(controls.errors, "Desk Modem", "accept sequence", "System error 31.");
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"3", "4", "5", ""})); // what is stored
    EXPECT_STREQ(record(0).acceptSequence, "345");
    EXPECT_EQ(saved(kAcceptSequence), "12");
    press(kAcceptSequence, "6"); // a new sequence
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"6", "", "", ""}));
    click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "2", "", ""}));
}

TEST_F(WriteFailureTest, EachEditorsMessageNamesItsSequence)
{
    open({makeModem("Desk Modem", "COM1", 0, "1", "2", "3")});
    select(0);
    const char *writes[] = {"writeSwitchHookAccept", "writeSwitchHookResume", "writeSwitchHookReject"};
    const char *names[] = {"accept sequence", "resume sequence", "reject sequence"};
    for (int e = 0; e < kSwitchHookSequenceCount; ++e) {
        controls.errors.clear();
        library.failures = {{writes[e], 87}};
        unlock(SwitchHookSequence(e));
        click(editorLayouts[e].clearId);
        expectOneMessage(controls.errors, "Desk Modem", names[e], "System error 87.");
    }
    EXPECT_STREQ(record(0).acceptSequence, "1");
    EXPECT_STREQ(record(0).resumeSequence, "2");
    EXPECT_STREQ(record(0).rejectSequence, "3");
}

TEST_F(WriteFailureTest, RefusedMohSwitchLeavesTheButtonsAsTheyWere)
{
    open({makeModem("Desk Modem", "COM1", 0)});
    select(0);

    library.failures["enableMOH"] = 1168;
    click(IDC_ENABLE_MOH);
    expectOneMessage(controls.errors, "Desk Modem", "modem-on-hold", "System error 1168.");
    EXPECT_TRUE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(controls.isEnabled(IDC_DISABLE_MOH));
    EXPECT_EQ(record(0).mohEnabled, 0);

    library.failures.clear();
    click(IDC_ENABLE_MOH);
    EXPECT_EQ(controls.errors.size(), 1u);

    controls.errors.clear();
    library.failures["disableMOH"] = 2;
    click(IDC_DISABLE_MOH);
    expectOneMessage(controls.errors, "Desk Modem", "modem-on-hold", "System error 2.");
    EXPECT_FALSE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_TRUE(controls.isEnabled(IDC_DISABLE_MOH));
    EXPECT_EQ(record(0).mohEnabled, 1);
}

} // namespace
