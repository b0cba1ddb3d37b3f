// The program shows its dialog and its About box in the language of the
// locale it runs under, as Windows picks their templates by the user's
// interface language; a locale without a translation gets English. CMake
// runs this test under each locale.
#include "Translations.h"

#include "RunningDialog.h"
#include "SampleModems.h"
#include "resource.h"

#include <gtest/gtest.h>

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
