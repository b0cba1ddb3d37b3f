// What a user does with the program, run once against our settings library
// and once against one built from the program's contract alone: the program
// must work with any library that honours the contract.
#include "EditorLayout.h"
#include "SampleModems.h"

#include "resource.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

// Our library, over modems registered in the prefix.
struct OurLibrary {
    static std::string program() { return programPath(); }
    static std::string instance(int modem)
    {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", modem);
        return name;
    }

    // Modems 0 to count - 1; modem 1 with modem-on-hold on and an accept
    // sequence of 12 stored.
    void install(int count)
    {
        for (int modem = 0; modem < count; ++modem) {
            const std::string port = "COM" + std::to_string(modem + 1);
            addModem(instance(modem), {{"FriendlyName", "Modem " + std::to_string(modem)}, {"AttachedTo", port}});
            setText(kSerialPorts, ("\\Device\\Serial" + std::to_string(modem)).c_str(), port);
        }
        if (count > 1) {
            setDword(settingsKey(instance(1)), "MohEnabled", 1);
            setText(settingsKey(instance(1)), "AcceptSequence", "12");
        }
    }
    std::string entry(int modem) const { return "Modem " + std::to_string(modem) + ": COM" + std::to_string(modem + 1); }

    bool mohStoredOn(int modem) const
    {
        return valuesOf(settingsKey(instance(modem)))["MohEnabled"] == storedDword(1);
    }
    std::string storedSequence(int modem, SwitchHookSequence sequence) const
    {
        static const char *const names[] = {"AcceptSequence", "ResumeSequence", "RejectSequence"};
        const auto values = valuesOf(settingsKey(instance(modem)));
        const auto found = values.find(names[sequence]);
        return found == values.end() ? "(none)" : found->second;
    }
    std::string sequenceText(const std::string &keys) const { return storedText(keys); }
};

// The library of the contract alone, in a folder of its own beside a copy
// of the program; what it was given is in its log of calls.
struct ContractLibrary {
    static std::string program() { return besideThisProgram("contract\\PelmoraConfig.exe"); }
    std::string log = besideThisProgram("contract\\calls.log");

    void install(int count)
    {
        std::remove(log.c_str());
        SetEnvironmentVariableA("CONTRACT_LIBRARY_LOG", log.c_str());
        SetEnvironmentVariableA("CONTRACT_LIBRARY_MODEMS", std::to_string(count).c_str());
    }
    std::string entry(int modem) const
    {
        return "Contract Modem " + std::to_string(modem) + ": PORT" + std::to_string(modem);
    }

    std::vector<std::string> calls() const
    {
        std::vector<std::string> lines;
        std::ifstream file(log);
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }
    // The last call of a modem whose line starts with one of the prefixes.
    std::string lastCall(int modem, std::initializer_list<std::string> calls) const
    {
        std::string last = "(none)";
        for (const std::string &line : this->calls())
            for (const std::string &call : calls)
                if (line.rfind(call + " " + std::to_string(modem), 0) == 0)
                    last = line;
        return last;
    }
    bool mohStoredOn(int modem) const { return lastCall(modem, {"enableMOH", "disableMOH"}).rfind("enableMOH", 0) == 0; }
    std::string storedSequence(int modem, SwitchHookSequence sequence) const
    {
        static const char *const calls[] = {"writeSwitchHookAccept", "writeSwitchHookResume", "writeSwitchHookReject"};
        const std::string last = lastCall(modem, {calls[sequence]});
        return last == "(none)" ? last : last.substr(last.find('['));
    }
    std::string sequenceText(const std::string &keys) const { return "[" + keys + "]"; }
};

template <typename Library> class ContractPathsTest : public ModemRegistryTest {
protected:
    void TearDown() override
    {
        SetEnvironmentVariableA("CONTRACT_LIBRARY_LOG", nullptr);
        SetEnvironmentVariableA("CONTRACT_LIBRARY_MODEMS", nullptr);
        ModemRegistryTest::TearDown();
    }

    std::vector<std::string> entries(int count) const
    {
        std::vector<std::string> entries;
        for (int modem = 0; modem < count; ++modem)
            entries.push_back(library.entry(modem));
        return entries;
    }
    static void press(RunningDialog &dialog, SwitchHookSequence editor, const std::string &keys)
    {
        for (char key : keys)
            for (int k = 0; k < kKeypadKeyCount; ++k)
                if (keypadCharacter(k) == key)
                    dialog.click(editorLayouts[editor].keypadIds[k]);
    }

    Library library;
};

using Libraries = ::testing::Types<OurLibrary, ContractLibrary>;
TYPED_TEST_SUITE(ContractPathsTest, Libraries);

TYPED_TEST(ContractPathsTest, ListsTheModemsInOrderInStandardDialogs)
{
    this->library.install(3);
    RunningDialog dialog(TypeParam::program());
    EXPECT_EQ(dialog.listEntries(), this->entries(3));
    EXPECT_EQ(className(dialog.window()), "#32770");

    PostMessageA(dialog.window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = dialog.waitForOwnedWindow();
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(className(about), "#32770");
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitForWindowGone(about));
}

TYPED_TEST(ContractPathsTest, NoModemsGiveAnEmptyListAndNoMessage)
{
    this->library.install(0);
    RunningDialog dialog(TypeParam::program());
    EXPECT_TRUE(dialog.listEntries().empty());
    EXPECT_EQ(dialog.waitForOwnedWindow(1000), nullptr) << "a message over an empty list";
    dialog.click(IDOK);
    EXPECT_TRUE(dialog.waitForExit());
}

TYPED_TEST(ContractPathsTest, TenAndTwelveModemsListTheFirstTen)
{
    for (int count : {10, 12}) {
        this->library.install(count);
        RunningDialog dialog(TypeParam::program());
        EXPECT_EQ(dialog.listEntries(), this->entries(10)) << count << " modems";
    }
}

TYPED_TEST(ContractPathsTest, SwitchesModemOnHold)
{
    this->library.install(3);
    RunningDialog dialog(TypeParam::program());
    dialog.select(1);
    EXPECT_FALSE(dialog.isEnabled(IDC_ENABLE_MOH)) << "modem 1 has modem-on-hold on";
    dialog.select(0);
    dialog.click(IDC_ENABLE_MOH);
    EXPECT_TRUE(this->library.mohStoredOn(0));
    EXPECT_TRUE(dialog.isEnabled(IDC_DISABLE_MOH));
    dialog.click(IDC_DISABLE_MOH);
    EXPECT_FALSE(this->library.mohStoredOn(0));
    EXPECT_TRUE(dialog.isEnabled(IDC_ENABLE_MOH));
}

TYPED_TEST(ContractPathsTest, AppliesClearsAndRestoresInEachEditor)
{
    this->library.install(3);
    RunningDialog dialog(TypeParam::program());
    dialog.select(1);
    EXPECT_EQ(dialog.text(IDC_ACCEPT_DIGIT1), "1") << "the stored accept sequence is shown";
    for (SwitchHookSequence editor : {kAcceptSequence, kResumeSequence, kRejectSequence}) {
        SCOPED_TRACE(editor);
        const EditorLayout &layout = editorLayouts[editor];
        dialog.click(layout.overrideId);
        dialog.click(layout.clearId);
        this->press(dialog, editor, "9#");
        dialog.click(layout.applyId);
        EXPECT_EQ(this->library.storedSequence(1, editor), this->library.sequenceText("9#"));
        dialog.click(layout.clearId);
        EXPECT_EQ(this->library.storedSequence(1, editor), this->library.sequenceText(""));
        dialog.click(layout.restoreId);
        EXPECT_EQ(dialog.text(layout.digitIds[0]) + dialog.text(layout.digitIds[1]), "9#");
    }
    EXPECT_EQ(this->library.storedSequence(0, kAcceptSequence), "(none)");
}

// What only the library of the contract can tell: which calls the program
// made, with which records.
using ContractCallsTest = ContractPathsTest<ContractLibrary>;

TEST_F(ContractCallsTest, EachModemIsCheckedOnceAndNoRecordBeyondTheTenthIsHandedOver)
{
    library.install(2);
    {
        RunningDialog dialog(ContractLibrary::program());
        dialog.listEntries();
    }
    EXPECT_EQ(library.calls(), (std::vector<std::string>{"enumOstvModem 0", "CheckSerialModem 0", "enumOstvModem 1",
                                                         "CheckSerialModem 1", "enumOstvModem 2"}));
    library.install(12);
    {
        RunningDialog dialog(ContractLibrary::program());
        dialog.listEntries();
    }
    const auto calls = library.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "enumOstvModem 9"), 1);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string &call) { return call.rfind("enumOstvModem", 0) == 0; }),
              10);
}

} // namespace
