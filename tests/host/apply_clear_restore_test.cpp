// Storing sequences: Apply writes what the fields show, Clear writes an empty
// sequence, Restore brings back the last stored value they replaced.
#include "DialogFixture.h"

namespace {

using ApplyClearRestoreTest = DialogTest;

TEST_F(ApplyClearRestoreTest, ApplyStoresTheShownDigitsAndKeepsTheReplacedOneForRestore)
{
    open({makeModem("First", "COM1"), makeModem("Second", "COM2")});
    select(1);
    unlock(AcceptEditor);

    press(AcceptEditor, "12");
    click(IDC_ACCEPT_APPLY);
    auto writes = library.callsOf("writeSwitchHookAccept");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].address, &record(1));
    EXPECT_STREQ(writes[0].record.name, "Second");
    EXPECT_STREQ(writes[0].record.acceptSequence, "12");
    EXPECT_STREQ(record(0).acceptSequence, "");
    EXPECT_EQ(saved(AcceptEditor), ""); // nothing was stored before
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "2", "", ""}));

    press(AcceptEditor, "34"); // Apply left the position after the 2
    click(IDC_ACCEPT_APPLY);
    EXPECT_STREQ(record(1).acceptSequence, "1234");
    EXPECT_EQ(saved(AcceptEditor), "12");

    const size_t calls = library.calls.size();
    click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "2", "", ""}));
    EXPECT_STREQ(record(1).acceptSequence, "1234");
    EXPECT_EQ(saved(AcceptEditor), "12");
    EXPECT_EQ(library.calls.size(), calls);
    EXPECT_TRUE(library.callsOf("writeSwitchHookResume").empty());
    EXPECT_TRUE(controls.errors.empty());
    press(AcceptEditor, "5"); // Restore started a new sequence
    EXPECT_EQ(shown(AcceptEditor), (Digits{"5", "", "", ""}));
}

TEST_F(ApplyClearRestoreTest, ClearStoresAnEmptySequenceAndRestoreBringsBackTheOldOne)
{
    open({makeModem("A", "COM1", 0, "", "", "#1")});
    select(0);
    unlock(RejectEditor);

    click(IDC_REJECT_CLEAR);
    EXPECT_EQ(shown(RejectEditor), (Digits{"", "", "", ""}));
    EXPECT_STREQ(record(0).rejectSequence, "");
    EXPECT_STREQ(library.callsOf("writeSwitchHookReject").back().record.rejectSequence, "");
    EXPECT_EQ(saved(RejectEditor), "#1");

    click(IDC_REJECT_CLEAR); // stores "" again; the saved value stays
    EXPECT_EQ(library.callsOf("writeSwitchHookReject").size(), 2u);
    EXPECT_EQ(saved(RejectEditor), "#1");

    click(IDC_REJECT_APPLY); // all fields empty
    EXPECT_STREQ(library.callsOf("writeSwitchHookReject").back().record.rejectSequence, "");

    click(IDC_REJECT_RESTORE);
    EXPECT_EQ(shown(RejectEditor), (Digits{"#", "1", "", ""}));
    EXPECT_STREQ(record(0).rejectSequence, "");
    click(IDC_REJECT_APPLY);
    EXPECT_STREQ(record(0).rejectSequence, "#1");
    EXPECT_EQ(saved(RejectEditor), "#1");
    EXPECT_TRUE(controls.errors.empty());
}

TEST_F(ApplyClearRestoreTest, FullEditorTakesKeysAgainAfterRestoreOrClear)
{
    open({makeModem("A", "COM1")});
    select(0);
    unlock(ResumeEditor);

    press(ResumeEditor, "1234");
    click(IDC_RESUME_APPLY);
    press(ResumeEditor, "5");
    EXPECT_EQ(shown(ResumeEditor), (Digits{"1", "2", "3", "4"}));

    click(IDC_RESUME_RESTORE); // nothing saved: only a new sequence starts
    EXPECT_EQ(shown(ResumeEditor), (Digits{"1", "2", "3", "4"}));
    press(ResumeEditor, "5678");
    EXPECT_EQ(shown(ResumeEditor), (Digits{"5", "6", "7", "8"}));

    click(IDC_RESUME_CLEAR);
    press(ResumeEditor, "9");
    EXPECT_EQ(shown(ResumeEditor), (Digits{"9", "", "", ""}));
}

TEST_F(ApplyClearRestoreTest, EditorsStoreOnlyTheirOwnSequence)
{
    open({makeModem("A", "COM1", 0, "11", "22", "33")});
    select(0);
    for (int e = 0; e < kEditorCount; ++e)
        unlock(EditorIndex(e));

    press(ResumeEditor, "45");
    click(IDC_RESUME_APPLY);
    const ModemRecord sent = library.callsOf("writeSwitchHookResume").at(0).record;
    EXPECT_STREQ(sent.acceptSequence, "11");
    EXPECT_STREQ(sent.resumeSequence, "45");
    EXPECT_STREQ(sent.rejectSequence, "33");

    click(IDC_REJECT_CLEAR);
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "1", "", ""}));
    EXPECT_EQ(shown(ResumeEditor), (Digits{"4", "5", "", ""}));
    EXPECT_TRUE(library.callsOf("writeSwitchHookAccept").empty());
    EXPECT_EQ(saved(AcceptEditor), "");
    EXPECT_EQ(saved(ResumeEditor), "22");
    EXPECT_EQ(saved(RejectEditor), "33");
}

TEST_F(ApplyClearRestoreTest, RestoreBringsBackTheSelectedModemsOwnValue)
{
    open({makeModem("A", "COM1", 0, "11"), makeModem("B", "COM2", 0, "22")});
    select(0);
    unlock(AcceptEditor);
    click(IDC_ACCEPT_CLEAR);

    select(1);
    click(IDC_ACCEPT_RESTORE); // nothing saved for B
    EXPECT_EQ(shown(AcceptEditor), (Digits{"2", "2", "", ""}));

    select(0);
    EXPECT_EQ(shown(AcceptEditor), (Digits{"", "", "", ""}));
    click(IDC_ACCEPT_RESTORE);
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "1", "", ""}));
}

} // namespace
