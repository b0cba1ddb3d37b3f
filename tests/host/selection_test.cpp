// Choosing a modem, switching modem-on-hold, the override boxes, and the
// notifications the dialog lets pass.
#include "DialogFixture.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

using SelectionTest = DialogTest;

// What a user can see of the dialog: enabled controls and the digit texts.
std::pair<std::vector<int>, std::vector<std::string>> snapshot(const InMemoryControls &controls)
{
    std::vector<std::string> texts;
    for (const EditorLayout &layout : editorLayouts)
        for (int id : layout.digitIds)
            texts.push_back(controls.text(id));
    return {controls.enabledIds(), texts};
}

TEST_F(SelectionTest, SelectingAModemOffersTheOtherMohStateAndTheOverrideBoxes)
{
    open({makeModem("Off", "COM1", 0), makeModem("On", "COM2", 1)});
    const std::vector<int> atOpening = controls.enabledIds();
    EXPECT_EQ(atOpening.size(), 15u); // OK, Cancel, the list and 12 digit fields
    const size_t callsAtOpening = library.calls.size();

    select(1);
    EXPECT_EQ(dialog->table().currentIndex, 1);
    std::vector<int> expected = atOpening;
    expected.insert(expected.end(), {IDC_DISABLE_MOH, IDC_ACCEPT_OVERRIDE, IDC_RESUME_OVERRIDE,
                                     IDC_REJECT_OVERRIDE});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(controls.enabledIds(), expected);

    select(0);
    EXPECT_EQ(dialog->table().currentIndex, 0);
    EXPECT_TRUE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(controls.isEnabled(IDC_DISABLE_MOH));
    EXPECT_EQ(library.calls.size(), callsAtOpening);
}

TEST_F(SelectionTest, OverrideBoxUnlocksOnlyItsEditorWhileTickedAndTouchesNothingElse)
{
    open({makeModem("A", "COM1", 0, "12", "34", "56"), makeModem("B", "COM2")});
    select(0);
    const size_t calls = library.calls.size();
    for (int e = 0; e < kSwitchHookSequenceCount; ++e)
        EXPECT_EQ(unlockedCount(SwitchHookSequence(e)), 0);

    unlock(kResumeSequence);
    EXPECT_EQ(unlockedCount(kAcceptSequence), 0);
    EXPECT_EQ(unlockedCount(kResumeSequence), 15);
    EXPECT_EQ(unlockedCount(kRejectSequence), 0);

    // Another modem keeps the check marks and what they unlocked.
    select(1);
    EXPECT_TRUE(controls.isChecked(IDC_RESUME_OVERRIDE));
    EXPECT_EQ(unlockedCount(kResumeSequence), 15);
    select(0);

    press(kResumeSequence, "9");
    unlock(kResumeSequence); // untick
    EXPECT_EQ(unlockedCount(kResumeSequence), 0);
    EXPECT_EQ(shown(kResumeSequence), (Digits{"9", "", "", ""}));
    EXPECT_EQ(shown(kAcceptSequence), (Digits{"1", "2", "", ""}));
    EXPECT_STREQ(record(0).resumeSequence, "34");
    EXPECT_EQ(library.calls.size(), calls);
    EXPECT_FALSE(controls.isEnabled(IDC_HANDSET_RELAY));
    EXPECT_FALSE(controls.isChecked(IDC_HANDSET_RELAY));
}

TEST_F(SelectionTest, MohButtonsSwapOnceTheLibraryStoredTheNewState)
{
    open({makeModem("First", "COM1", 0), makeModem("Second", "COM2", 0)});
    select(1);

    click(IDC_ENABLE_MOH);
    auto enables = library.callsOf("enableMOH");
    ASSERT_EQ(enables.size(), 1u);
    EXPECT_EQ(enables[0].address, &record(1));
    EXPECT_STREQ(enables[0].record.name, "Second");
    EXPECT_FALSE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_TRUE(controls.isEnabled(IDC_DISABLE_MOH));

    // The buttons follow each record as the library left it.
    select(0);
    EXPECT_TRUE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(controls.isEnabled(IDC_DISABLE_MOH));
    select(1);
    EXPECT_FALSE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_TRUE(controls.isEnabled(IDC_DISABLE_MOH));

    click(IDC_DISABLE_MOH);
    auto disables = library.callsOf("disableMOH");
    ASSERT_EQ(disables.size(), 1u);
    EXPECT_EQ(disables[0].address, &record(1));
    EXPECT_TRUE(controls.isEnabled(IDC_ENABLE_MOH));
    EXPECT_FALSE(controls.isEnabled(IDC_DISABLE_MOH));
    EXPECT_TRUE(controls.errors.empty());
}

TEST_F(SelectionTest, SelectionNotificationOnAnEmptyListChangesNothing)
{
    open({});
    const auto before = snapshot(controls);
    const size_t calls = library.calls.size();

    EXPECT_TRUE(dialog->onCommand(ListSelChange, IDC_MODEM_LIST));
    EXPECT_EQ(dialog->table().currentIndex, -1);
    EXPECT_EQ(snapshot(controls), before);
    EXPECT_EQ(library.calls.size(), calls);
}

TEST_F(SelectionTest, NotificationsWithoutANewSelectionChangeNothing)
{
    open({makeModem("A", "COM1", 0, "1"), makeModem("B", "COM2", 1, "2")});
    const size_t calls = library.calls.size();

    // Nothing selected yet: nothing becomes available.
    const auto atOpening = snapshot(controls);
    EXPECT_TRUE(dialog->onCommand(ListSelChange, IDC_MODEM_LIST));
    EXPECT_EQ(dialog->table().currentIndex, -1);
    EXPECT_EQ(snapshot(controls), atOpening);

    select(0);
    const auto selected = snapshot(controls);
    controls.setSelection(IDC_MODEM_LIST, -1);
    EXPECT_TRUE(dialog->onCommand(ListSelChange, IDC_MODEM_LIST));
    // Double-click and focus are no selection, even on another entry.
    controls.setSelection(IDC_MODEM_LIST, 1);
    EXPECT_TRUE(dialog->onCommand(ListDoubleClick, IDC_MODEM_LIST));
    EXPECT_TRUE(dialog->onCommand(ListSetFocus, IDC_MODEM_LIST));

    EXPECT_EQ(dialog->table().currentIndex, 0);
    EXPECT_EQ(snapshot(controls), selected);
    EXPECT_EQ(library.calls.size(), calls);
}

// The controls are disabled then, but any program can send the clicks.
TEST_F(SelectionTest, ClicksBeforeAnySelectionReachNeitherTheLibraryNorTheTable)
{
    open({makeModem("A", "COM1", 0, "12")});
    const auto atOpening = snapshot(controls);
    const size_t calls = library.calls.size();
    const ModemTable table = dialog->table();

    for (const TemplateControl &control : configControls)
        if (control.id != IDOK && control.id != IDCANCEL && control.id != IDC_MODEM_LIST)
            dialog->onCommand(ButtonClicked, control.id);

    EXPECT_EQ(library.calls.size(), calls);
    EXPECT_TRUE(controls.errors.empty());
    EXPECT_EQ(snapshot(controls), atOpening);
    EXPECT_EQ(std::memcmp(&dialog->table(), &table, sizeof table), 0);
}

TEST_F(SelectionTest, EveryActingControlIsHandledAndNoOtherControl)
{
    open({makeModem("A", "COM1")});
    select(0);

    std::set<int> acting = {IDC_ENABLE_MOH, IDC_DISABLE_MOH};
    for (const EditorLayout &layout : editorLayouts) {
        acting.insert(std::begin(layout.keypadIds), std::end(layout.keypadIds));
        acting.insert({layout.applyId, layout.clearId, layout.restoreId, layout.overrideId});
    }
    ASSERT_EQ(acting.size(), 50u);

    for (const TemplateControl &control : configControls) {
        const bool handled = dialog->onCommand(ButtonClicked, control.id);
        EXPECT_EQ(handled, acting.count(control.id) == 1) << "control " << control.id;
        if (control.id != IDC_MODEM_LIST) {
            EXPECT_FALSE(dialog->onCommand(ListSelChange, control.id)) << "control " << control.id;
        }
    }
}

} // namespace
