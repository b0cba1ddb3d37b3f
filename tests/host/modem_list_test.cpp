// Opening the dialog: the modems the library reports, in its order, within
// the table's ten records.
#include "DialogFixture.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<ModemRecord> numberedModems(int count)
{
    std::vector<ModemRecord> modems;
    for (int i = 0; i < count; ++i)
        modems.push_back(makeModem("Modem " + std::to_string(i), "COM" + std::to_string(i + 1)));
    return modems;
}

using ModemListTest = DialogTest;

TEST_F(ModemListTest, ListsModemsInTheLibrarysOrderNotAlphabetically)
{
    open({makeModem("Zeta Modem", "COM3"), makeModem("Alpha Modem", "COM1"), makeModem("", "")});

    EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST),
              (std::vector<std::string>{"Zeta Modem: COM3", "Alpha Modem: COM1", ": "}));
    ASSERT_EQ(dialog->table().count, 3);
    EXPECT_STREQ(record(0).name, "Zeta Modem");
    EXPECT_STREQ(record(1).name, "Alpha Modem");
}

TEST_F(ModemListTest, EnumerationHandsOverTableRecordsInStartStateWithOneCursor)
{
    open(numberedModems(3));

    const auto enumCalls = library.callsOf("enumOstvModem");
    ASSERT_EQ(enumCalls.size(), 4u);
    for (size_t i = 0; i < enumCalls.size(); ++i) {
        EXPECT_EQ(enumCalls[i].address, &record(static_cast<int>(i)));
        EXPECT_EQ(enumCalls[i].record.libraryCode, 255);
        EXPECT_EQ(enumCalls[i].record.mohEnabled, 0);
        EXPECT_STREQ(enumCalls[i].record.name, "");
        EXPECT_STREQ(enumCalls[i].record.libraryText1, "");
    }
    // CheckSerialModem follows each successful enumeration, on the same record.
    const std::vector<std::string> expected = {"enumOstvModem", "CheckSerialModem", "enumOstvModem",
                                               "CheckSerialModem", "enumOstvModem", "CheckSerialModem",
                                               "enumOstvModem"};
    std::vector<std::string> order;
    for (const auto &call : library.calls)
        order.push_back(call.function);
    EXPECT_EQ(order, expected);
}

TEST_F(ModemListTest, NoModemsLeavesAnEmptyListAndOnlyTheAlwaysAvailableControls)
{
    open({});

    EXPECT_TRUE(controls.listEntries(IDC_MODEM_LIST).empty());
    EXPECT_EQ(dialog->table().count, 0);
    EXPECT_TRUE(controls.errors.empty()) << "the plain end of the modems is no failure";
    std::vector<int> expected = {IDOK, IDCANCEL, IDC_MODEM_LIST};
    for (const EditorLayout &layout : editorLayouts)
        expected.insert(expected.end(), std::begin(layout.digitIds), std::end(layout.digitIds));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(controls.enabledIds(), expected);
}

// The window creates these controls disabled, so that opening has nothing
// to lock: they must be exactly the ones that opening locks. Likewise the
// digit fields it leaves empty.
TEST_F(ModemListTest, ControlsLockedUntilSelectionAreTheOnesOpeningLocks)
{
    open({makeModem("Modem", "COM1")});

    for (const TemplateControl &control : configControls) {
        if (control.id <= 0)
            continue;
        SCOPED_TRACE(control.id);
        EXPECT_EQ(ConfigDialogLogic::lockedUntilSelection(control.id),
                  enabledInTemplate(control.kind) && !controls.isEnabled(control.id));
        // Left alone at start-up as the template creates them: empty.
        EXPECT_EQ(ConfigDialogLogic::isDigitField(control.id),
                  control.kind == ControlKind::DigitField && *control.caption == '\0');
    }
}

TEST_F(ModemListTest, TenModemsFillTheTableWithoutAnEleventhCall)
{
    open(numberedModems(10));

    EXPECT_EQ(dialog->table().count, 10);
    EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST).size(), 10u);
    EXPECT_EQ(library.callsOf("enumOstvModem").size(), 10u);
    EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST).back(), "Modem 9: COM10");
}

TEST_F(ModemListTest, MoreModemsThanTheTableHoldsStopAtTen)
{
    open(numberedModems(12));

    EXPECT_EQ(dialog->table().count, 10);
    EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST).size(), 10u);
    for (const auto &call : library.calls)
        EXPECT_LE(call.address, &record(9)) << call.function << " was handed a record beyond the table";
}

// Libraries end an enumeration with results of their own: every non-zero
// result ends the list, in silence.
TEST(ModemListEnd, AnyNonZeroResultEndsTheListSilently)
{
    for (int end : {1, -1, 5, OVMOH_NO_FURTHER_MODEM}) {
        SCOPED_TRACE(end);
        ScriptedLibrary library;
        library.modems = numberedModems(2);
        library.enumerationEnd = end;
        InMemoryControls controls;
        ConfigDialogLogic dialog(library, controls);
        dialog.initialise();
        EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST),
                  (std::vector<std::string>{"Modem 0: COM1", "Modem 1: COM2"}));
        EXPECT_TRUE(controls.errors.empty());
    }
}

TEST_F(ModemListTest, CheckSerialModemDecidesWhatTheListShows)
{
    library.checkSerial = [](ModemRecord &modem) {
        if (std::string(modem.description) == "COM7")
            std::strcat(modem.description, " (not present)");
    };
    open({makeModem("Present", "COM1"), makeModem("Gone", "COM7")});

    EXPECT_EQ(controls.listEntries(IDC_MODEM_LIST),
              (std::vector<std::string>{"Present: COM1", "Gone: COM7 (not present)"}));
}

TEST_F(ModemListTest, UnterminatedTextsFromTheLibraryAreCutAtTheField)
{
    ModemRecord unterminated = makeModem("", "");
    std::fill(std::begin(unterminated.name), std::end(unterminated.name), 'N');
    std::fill(std::begin(unterminated.description), std::end(unterminated.description), 'D');
    open({unterminated});

    const std::string entry = controls.listEntries(IDC_MODEM_LIST).at(0);
    EXPECT_EQ(entry, std::string(MODEM_TEXT_SIZE - 1, 'N') + ": " + std::string(MODEM_TEXT_SIZE - 1, 'D'));
}

} // namespace
