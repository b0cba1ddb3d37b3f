// The keypads and what the digit fields show: keys as typed, and stored
// sequences as a selection brings them in.
#include "DialogFixture.h"

namespace {

using SequenceEditorTest = DialogTest;

TEST_F(SequenceEditorTest, KeysFillFourDigitsAndFurtherKeysAreIgnored)
{
    open({makeModem("A", "COM1")});
    select(0);
    unlock(kAcceptSequence);
    const size_t calls = library.calls.size();

    press(kAcceptSequence, "1");
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "", "", ""}));

    press(kAcceptSequence, "2345");
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "2", "3", "4"}));
    EXPECT_EQ(shown(kResumeSequence), (Digits{"", "", "", ""}));
    EXPECT_EQ(shown(kRejectSequence), (Digits{"", "", "", ""}));
    EXPECT_EQ(library.calls.size(), calls);
}

TEST_F(SequenceEditorTest, EachKeyEntersTheCharacterOnItsCaption)
{
    open({makeModem("A", "COM1")});
    select(0);
    for (int e = 0; e < kSwitchHookSequenceCount; ++e) {
        const EditorLayout &layout = editorLayouts[e];
        unlock(SwitchHookSequence(e));
        for (int id : layout.keypadIds) {
            click(layout.restoreId); // nothing saved: back to the first digit
            click(id);
            EXPECT_EQ(shown(SwitchHookSequence(e)), (Digits{controls.text(id), "", "", ""}))
                << "key " << id;
        }
    }
}

TEST_F(SequenceEditorTest, StoredSequencesAreShownFromTheFirstDigitAndReplacedByTheNextKey)
{
    open({makeModem("A", "COM1", 0, "9#", "123456", "A")});
    select(0);

    EXPECT_EQ(shown(kAcceptSequence), (Digits{"9", "#", "", ""}));
    EXPECT_EQ(shown(kResumeSequence), (Digits{"1", "2", "3", "4"}));
    EXPECT_EQ(shown(kRejectSequence), (Digits{"A", "", "", ""}));

    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        unlock(SwitchHookSequence(e));
    press(kAcceptSequence, "5");
    press(kResumeSequence, "0");
    press(kRejectSequence, "*");
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"5", "", "", ""}));
    EXPECT_EQ(shown(kResumeSequence), (Digits{"0", "", "", ""}));
    EXPECT_EQ(shown(kRejectSequence), (Digits{"*", "", "", ""}));
}

TEST_F(SequenceEditorTest, ModemWithoutAStoredSequenceShowsAnEmptyEditor)
{
    open({makeModem("A", "COM1", 0, "12", "34", "56"), makeModem("B", "COM2", 0, "", "7", "")});
    select(0);
    unlock(kRejectSequence);
    press(kRejectSequence, "89"); // typed, not applied

    select(1);
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"", "", "", ""}));
    EXPECT_EQ(shown(kResumeSequence), (Digits{"7", "", "", ""}));
    EXPECT_EQ(shown(kRejectSequence), (Digits{"", "", "", ""}));
    press(kRejectSequence, "8");
    EXPECT_EQ(shown(kRejectSequence), (Digits{"8", "", "", ""}));

    // Back on the first modem its stored sequences come back.
    select(0);
    EXPECT_EQ(shown(kRejectSequence), (Digits{"5", "6", "", ""}));
    press(kRejectSequence, "9");
    EXPECT_EQ(shown(kRejectSequence), (Digits{"9", "", "", ""}));
}

} // namespace
