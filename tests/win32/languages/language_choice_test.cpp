// The program shows its dialog and its About box in the language of the
// locale it runs under, as Windows picks their templates by the user's
// interface language; a locale without a translation gets English. CMake
// runs this test under each locale.
#include "Translations.h"

#include "EditorLayout.h"
#include "RunningDialog.h"
#include "SampleModems.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <map>
#include <vector>

namespace {

std::wstring textOf(HWND window)
{
    wchar_t text[1024] = L"";
    return std::wstring(text, static_cast<size_t>(GetWindowTextW(window, text, 1024)));
}

TEST(LanguageChoice, DialogAndAboutBoxSpeakTheLocalesLanguage)
{
    const Language &language = localeLanguage();
    SCOPED_TRACE(language.locale);
    ProgramResources resources;
    const DialogTemplate expected = resources.dialog(IDD_PELMORA_CONFIG, language.resources);
    if (&language != &kLanguages[0]) {
        EXPECT_NE(expected.caption, resources.dialog(IDD_PELMORA_CONFIG, kLanguages[0].resources).caption);
    }

    RunningDialog program;
    EXPECT_EQ(textOf(program.window()), expected.caption);
    HWND child = GetWindow(program.window(), GW_CHILD);
    for (const TemplateItem &item : expected.items) {
        ASSERT_NE(child, nullptr);
        if (!item.title.empty()) {
            EXPECT_EQ(textOf(child), item.title) << "control " << item.id;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }

    PostMessageW(program.window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = program.waitForOwnedWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(textOf(about), resources.dialog(IDD_ABOUTBOX, language.resources).caption);
}

// The program's own texts, such as its message on a failed write, read in
// the user's language, also where the code page for non-Unicode programs
// is another language's (CMake runs this with Japanese on a Western one).
using ProgramMessages = SampleModemsTest;
TEST_F(ProgramMessages, SpeakTheLocalesLanguage)
{
    const Language &language = localeLanguage();
    SCOPED_TRACE(language.locale);
    RunningDialog program;
    program.select(0);
    deleteKey(modemKey("0000"));
    program.clickAndLeave(IDC_ENABLE_MOH);
    HWND message = program.waitForOwnedWindow();
    ASSERT_NE(message, nullptr) << "no message about the failed write";
    std::wstring text;
    for (HWND child = GetWindow(message, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        text += textOf(child);
    ProgramResources resources;
    EXPECT_NE(text.find(resources.string(IDS_SWITCH_MOH_ON, language.resources)), std::wstring::npos);
    EXPECT_NE(text.find(L"Pelmora 56K Data Fax"), std::wstring::npos);
    PostMessageW(message, WM_COMMAND, IDOK, 0);
}

// What a screen reader reads of a control through MSAA: its name and value.
struct Spoken {
    std::wstring name, value;
};

Spoken spokenOf(HWND control)
{
    Spoken spoken;
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void **>(&object))))
        return spoken;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    for (auto [read, into] : {std::pair{&IAccessible::get_accName, &spoken.name}, {&IAccessible::get_accValue, &spoken.value}}) {
        BSTR text = nullptr;
        if ((object->*read)(self, &text) == S_OK && text != nullptr)
            *into = text;
        SysFreeString(text);
    }
    object->Release();
    return spoken;
}

// Every control in the tab order has a name of its own in the locale's
// language: the editors' buttons, digit fields and keys name their sequence,
// and the modem list its purpose. A digit field's value is its digit.
using AccessibleNames = SampleModemsTest;
TEST_F(AccessibleNames, TellEveryTabStopApartInTheLocalesLanguage)
{
    const Language &language = localeLanguage();
    SCOPED_TRACE(language.locale);
    ProgramResources resources;
    const auto text = [&](UINT id, const std::wstring &part = L"") {
        std::wstring pattern = resources.string(id, language.resources);
        const size_t insert = pattern.find(L"%1");
        return insert == std::wstring::npos ? pattern : pattern.replace(insert, 2, part);
    };
    std::map<int, std::wstring> expected{{IDC_MODEM_LIST, text(IDS_NAME_MODEM_LIST)}};
    const UINT names[kSwitchHookSequenceCount][5] = {
        {IDS_NAME_ACCEPT_APPLY, IDS_NAME_ACCEPT_CLEAR, IDS_NAME_ACCEPT_RESTORE, IDS_NAME_ACCEPT_DIGIT, IDS_NAME_ACCEPT_KEY},
        {IDS_NAME_RESUME_APPLY, IDS_NAME_RESUME_CLEAR, IDS_NAME_RESUME_RESTORE, IDS_NAME_RESUME_DIGIT, IDS_NAME_RESUME_KEY},
        {IDS_NAME_REJECT_APPLY, IDS_NAME_REJECT_CLEAR, IDS_NAME_REJECT_RESTORE, IDS_NAME_REJECT_DIGIT, IDS_NAME_REJECT_KEY}};
    for (int e = 0; e < kSwitchHookSequenceCount; ++e) {
        const EditorLayout &layout = editorLayouts[e];
        expected[layout.applyId] = text(names[e][0]);
        expected[layout.clearId] = text(names[e][1]);
        expected[layout.restoreId] = text(names[e][2]);
        for (int place = 0; place < SequenceEditor::kDigitCount; ++place)
            expected[layout.digitIds[place]] = text(names[e][3], std::to_wstring(place + 1));
        for (int key = 0; key < kKeypadKeyCount; ++key) {
            const wchar_t character = keypadCharacter(key);
            expected[layout.keypadIds[key]] = text(names[e][4], character == '*'   ? text(IDS_NAME_STAR)
                                                                : character == '#' ? text(IDS_NAME_HASH)
                                                                                   : std::wstring(1, character));
        }
    }

    setText(settingsKey("0000"), "AcceptSequence", "*9#");
    RunningDialog program;
    program.select(0);
    ASSERT_EQ(program.text(IDC_ACCEPT_DIGIT1), "*");
    CoInitialize(nullptr);
    std::map<std::wstring, int> named;
    for (HWND child = GetWindow(program.window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP))
            continue;
        const int id = GetDlgCtrlID(child);
        SCOPED_TRACE("control " + std::to_string(id));
        const Spoken spoken = spokenOf(child);
        EXPECT_FALSE(spoken.name.empty());
        // Other controls keep their own texts, which are the template's.
        EXPECT_EQ(spoken.name, expected.count(id) ? expected[id] : textOf(child));
        EXPECT_TRUE(named.emplace(spoken.name, id).second) << "the name of control " << named[spoken.name];
        if (className(child) == "Edit") {
            const std::string digit = program.text(id);
            EXPECT_EQ(spoken.value, std::wstring(digit.begin(), digit.end()));
        }
    }
    CoUninitialize();
}

// The record Windows shows in the file's properties is the language's own.
TEST(LanguageChoice, VersionRecordSpeaksTheLocalesLanguage)
{
    const std::string path = programPath();
    DWORD handle = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(path.c_str(), &handle));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    WORD *translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                               &length));
    EXPECT_EQ(PRIMARYLANGID(translation[0]), PRIMARYLANGID(localeLanguage().resources));
}

} // namespace
