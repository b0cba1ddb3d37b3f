// The keypads and what the digit fields show: keys as typed, and stored
// sequences as a selection brings them in.
#include "DialogFixture.h"

namespace {

using SequenceEditorTest = DialogTest;

TEST_F(SequenceEditorTest, KeysFillFourDigitsAndFurtherKeysAreIgnored)
{
    open({makeModem("A", "COM1")});
    select(0);
    unlock(AcceptEditor);
    const size_t calls = library.calls.size();

    press(AcceptEditor, "1");
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "", "", ""}));

    press(AcceptEditor, "2345");
    EXPECT_EQ(shown(AcceptEditor), (Digits{"1", "2", "3", "4"}));
    EXPECT_EQ(shown(ResumeEditor), (Digits{"", "", "", ""}));
    EXPECT_EQ(shown(RejectEditor), (Digits{"", "", "", ""}));
    EXPECT_EQ(library.calls.size(), calls);
}

TEST_F(SequenceEditorTest, EachKeyEntersTheCharacterOnItsCaption)
{
    open({makeModem("A", "COM1")});
    select(0);
    for (int e = 0; e < kEditorCount; ++e) {
        const EditorLayout &layout = editorLayouts[e];
        unlock(EditorIndex(e));
        for (int id : layout.keypadIds) {
            click(layout.restoreId); // nothing saved: back to the first digit
            click(id);
            EXPECT_EQ(shown(EditorIndex(e)), (Digits{controls.text(id), "", "", ""}))
                << "key " << id;
        }
    }
}

TEST_F(SequenceEditorTest, StoredSequencesAreShownFromTheFirstDigitAndReplacedByTheNextKey)
{
    open({makeModem("A", "COM1", 0, "9#", "123456", "A")});
    select(0);

    EXPECT_EQ(shown(AcceptEditor), (Digits{"9", "#", "", ""}));
    EXPECT_EQ(shown(ResumeEditor), (Digits{"1", "2", "3", "4"}));
    EXPECT_EQ(shown(RejectEditor), (Digits{"A", "", "", ""}));

    for (int e = 0; e < kEditorCount; ++e)
        unlock(EditorIndex(e));
    press(AcceptEditor, "5");
    press(ResumeEditor, "0");
    press(RejectEditor, "*");
    EXPECT_EQ(shown(AcceptEditor), (Digits{"5", "", "", ""}));
    EXPECT_EQ(shown(ResumeEditor), (Digits{"0", "", "", ""}));
    EXPECT_EQ(shown(RejectEditor), (Digits{"*", "", "", ""}));
}

TEST_F(SequenceEditorTest, ModemWithoutAStoredSequenceShowsAnEmptyEditor)
{
    open({makeModem("A", "COM1", 0, "12", "34", "56"), makeModem("B", "COM2", 0, "", "7", "")});
    select(0);
    unlock(RejectEditor);
    press(RejectEditor, "89"); // typed, not applied

    select(1);
    EXPECT_EQ(shown(AcceptEditor), (Digits{"", "", "", ""}));
    EXPECT_EQ(shown(ResumeEditor), (Digits{"7", "", "", ""}));
    EXPECT_EQ(shown(RejectEditor), (Digits{"", "", "", ""}));
    press(RejectEditor, "8");
    EXPECT_EQ(shown(RejectEditor), (Digits{"8", "", "", ""}));

    // Back on the first modem its stored sequences come back.
    select(0);
    EXPECT_EQ(shown(RejectEditor), (Digits{"5", "6", "", ""}));
    press(RejectEditor, "9");
    EXPECT_EQ(shown(RejectEditor), (Digits{"9", "", "", ""}));
}

} // namespace
