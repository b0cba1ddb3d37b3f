#include "OvMohReg.h"
#include "TextField.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextFieldTest, LongTextsAreCutAfterAWholeCharacterOfTheCodePage)
{
    // In code page 932, 0x82 leads a two-byte character, and a trail byte may
    // be 0x82 too; "\x82\xA0" is one character.
    const std::string a254(254, 'a');
    const struct { std::string text; UINT codePage; size_t kept; } cases[] = {
        {a254 + "\x82\xA0", 932, 254},
        {a254.substr(1) + "\x82\xA0" + "b", 932, 255},
        {"a" + std::string(300, '\x82'), 932, 255},
        {std::string(300, '\x82'), 932, 254},
        {a254 + "\x82\xA0", 1252, 255},
        {"\x82\xA0", 932, 2},
    };
    for (const auto &test : cases) {
        char field[MODEM_TEXT_SIZE + 1];
        field[MODEM_TEXT_SIZE] = '!';
        copyToField(field, MODEM_TEXT_SIZE, test.text.data(), test.text.size(), test.codePage);
        EXPECT_EQ(test.text.substr(0, test.kept), field) << test.kept << " in " << test.codePage;
        EXPECT_EQ('!', field[MODEM_TEXT_SIZE]);
    }
}
