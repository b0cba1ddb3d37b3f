// Each translation in the program file holds every text of the English
// resources, with the same inserts, and the controls of the English
// templates: ids, classes, styles, tab order and the keypads' grid.
#include "Translations.h"

#include "FrameworkStrings.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct EnglishString {
    UINT id;
    const char *text;
};
#define STRING_ROW(id, text) {id, text},
const EnglishString kEnglishStrings[] = {
#include "StringTable.inc"
};
#undef STRING_ROW

template <typename Text> std::set<int> insertsOf(const Text &text)
{
    std::set<int> inserts;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
            inserts.insert(text[i + 1] - '0');
    return inserts;
}

bool isKey(const std::wstring &title) { return title.size() == 1 && wcschr(L"0123456789*#", title[0]); }

TEST(Translations, HoldEveryStringWithItsInserts)
{
    ProgramResources program;
    for (const Language &language : translations()) {
        for (const EnglishString &english : kEnglishStrings) {
            SCOPED_TRACE(std::string(language.locale) + ", string " + std::to_string(english.id));
            const std::wstring text = program.string(english.id, language.resources);
            EXPECT_FALSE(text.empty());
            EXPECT_EQ(insertsOf(text), insertsOf(std::string(english.text)));
        }
    }
}

TEST(Translations, KeepTheEnglishControls)
{
    ProgramResources program;
    for (UINT id : {IDD_PELMORA_CONFIG, IDD_ABOUTBOX}) {
        const DialogTemplate english = program.dialog(id, kLanguages[0].resources);
        ASSERT_FALSE(english.items.empty());
        for (const Language &language : translations()) {
            SCOPED_TRACE(std::string(language.locale) + ", template " + std::to_string(id));
            const DialogTemplate translated = program.dialog(id, language.resources);
            ASSERT_EQ(translated.items.size(), english.items.size());
            EXPECT_FALSE(translated.caption.empty());
            size_t firstKey = 0;
            for (size_t i = 0; i < english.items.size(); ++i) {
                const TemplateItem &want = english.items[i];
                const TemplateItem &have = translated.items[i];
                SCOPED_TRACE("control " + std::to_string(i + 1));
                EXPECT_EQ(have.id, want.id);
                EXPECT_EQ(have.className, want.className);
                EXPECT_EQ(have.style, want.style);
                EXPECT_EQ(have.exStyle, want.exStyle);
                if (!isKey(want.title))
                    continue;
                // A keypad: its keys, their size and their places around its "1".
                if (want.title == L"1")
                    firstKey = i;
                EXPECT_EQ(have.title, want.title);
                EXPECT_EQ(have.cx, want.cx);
                EXPECT_EQ(have.cy, want.cy);
                EXPECT_EQ(have.x - translated.items[firstKey].x, want.x - english.items[firstKey].x);
                EXPECT_EQ(have.y - translated.items[firstKey].y, want.y - english.items[firstKey].y);
            }
        }
    }
}

} // namespace
