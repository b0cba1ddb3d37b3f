// Storing sequences: Apply writes what the fields show, Clear writes an empty
// sequence, Restore brings back the last stored value they replaced.
#include "DialogFixture.h"

namespace {

using ApplyClearRestoreTest = DialogTest;

TEST_F(ApplyClearRestoreTest, ApplyStoresTheShownDigitsAndKeepsTheReplacedOneForRestore)
{
    open({makeModem("First", "COM1"), makeModem("Second", "COM2")});
    select(1);
    unlock(kAcceptSequence);

    press(kAcceptSequence, "12");
    click(IDC_ACCEPT_APPLY);
    auto writes = library.callsOf("writeSwitchHookAccept");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].address, &record(1));
    EXPECT_STREQ(writes[0].record.name, "Second");
    EXPECT_STREQ(writes[0].record.acceptSequence, "12");
    EXPECT_STREQ(record(0).acceptSequence, "");
    EXPECT_EQ(saved(kAcceptSequence), ""); // nothing was stored before
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "2", "", ""}));

    press(kAcceptSequence, "34"); // Apply left the position after the 2
    click(IDC_ACCEPT_APPLY);
    EXPECT_STREQ(record(1).acceptSequence, "1234");
    EXPECT_EQ(saved(kAcceptSequence), "12");

    const size_t calls = library.calls.size();
    click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "2", "", ""}));
    EXPECT_STREQ(record(1).acceptSequence, "1234");
    EXPECT_EQ(saved(kAcceptSequence), "12");
    EXPECT_EQ(library.calls.size(), calls);
    EXPECT_TRUE(library.callsOf("writeSwitchHookResume").empty());
    EXPECT_TRUE(controls.errors.empty());
    press(kAcceptSequence, "5"); // Restore started a new sequence
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"5", "", "", ""}));
}

TEST_F(ApplyClearRestoreTest, ClearStoresAnEmptySequenceAndRestoreBringsBackTheOldOne)
{
    open({makeModem("A", "COM1", 0, "", "", "#1")});
    select(0);
    unlock(kRejectSequence);

    click(IDC_REJECT_CLEAR);
    EXPECT_EQ(shown(kRejectSequence), (Digits{"", "", "", ""}));
    EXPECT_STREQ(record(0).rejectSequence, "");
    EXPECT_STREQ(library.callsOf("writeSwitchHookReject").back().record.rejectSequence, "");
    EXPECT_EQ(saved(kRejectSequence), "#1");

    click(IDC_REJECT_CLEAR); // stores "" again; the saved value stays
    EXPECT_EQ(library.callsOf("writeSwitchHookReject").size(), 2u);
    EXPECT_EQ(saved(kRejectSequence), "#1");

    click(IDC_REJECT_APPLY); // all fields empty
    EXPECT_STREQ(library.callsOf("writeSwitchHookReject").back().record.rejectSequence, "");

    click(IDC_REJECT_RESTORE);
    EXPECT_EQ(shown(kRejectSequence), (Digits{"#", "1", "", ""}));
    EXPECT_STREQ(record(0).rejectSequence, "");
    click(IDC_REJECT_APPLY);
    EXPECT_STREQ(record(0).rejectSequence, "#1");
    EXPECT_EQ(saved(kRejectSequence), "#1");
    EXPECT_TRUE(controls.errors.empty());
}

TEST_F(ApplyClearRestoreTest, FullEditorTakesKeysAgainAfterRestoreOrClear)
{
    open({makeModem("A", "COM1")});
    select(0);
    unlock(kResumeSequence);

    press(kResumeSequence, "1234");
    click(IDC_RESUME_APPLY);
    press(kResumeSequence, "5");
    EXPECT_EQ(shown(kResumeSequence), (Digits{"1", "2", "3", "4"}));

    click(IDC_RESUME_RESTORE); // nothing saved: only a new sequence starts
    EXPECT_EQ(shown(kResumeSequence), (Digits{"1", "2", "3", "4"}));
    press(kResumeSequence, "5678");
    EXPECT_EQ(shown(kResumeSequence), (Digits{"5", "6", "7", "8"}));

    click(IDC_RESUME_CLEAR);
    press(kResumeSequence, "9");
    EXPECT_EQ(shown(kResumeSequence), (Digits{"9", "", "", ""}));
}

TEST_F(ApplyClearRestoreTest, EditorsStoreOnlyTheirOwnSequence)
{
    open({makeModem("A", "COM1", 0, "11", "22", "33")});
    select(0);
    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        unlock(SwitchHookSequence(e));

    press(kResumeSequence, "45");
    click(IDC_RESUME_APPLY);
    const ModemRecord sent = library.callsOf("writeSwitchHookResume").at(0).record;
    EXPECT_STREQ(sent.acceptSequence, "11");
    EXPECT_STREQ(sent.resumeSequence, "45");
    EXPECT_STREQ(sent.rejectSequence, "33");

    click(IDC_REJECT_CLEAR);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "1", "", ""}));
    EXPECT_EQ(shown(kResumeSequence), (Digits{"4", "5", "", ""}));
    EXPECT_TRUE(library.callsOf("writeSwitchHookAccept").empty());
    EXPECT_EQ(saved(kAcceptSequence), "");
    EXPECT_EQ(saved(kResumeSequence), "22");
    EXPECT_EQ(saved(kRejectSequence), "33");
}

TEST_F(ApplyClearRestoreTest, RestoreBringsBackTheSelectedModemsOwnValue)
{
    open({makeModem("A", "COM1", 0, "11"), makeModem("B", "COM2", 0, "22")});
    select(0);
    unlock(kAcceptSequence);
    click(IDC_ACCEPT_CLEAR);

    select(1);
    click(IDC_ACCEPT_RESTORE); // nothing saved for B
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"2", "2", "", ""}));

    select(0);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"", "", "", ""}));
    click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "1", "", ""}));
}

} // namespace
