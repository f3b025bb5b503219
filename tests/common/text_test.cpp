#include "common/text.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(Text, TrimTakesSpacesOnlyAndToUpperAsciiLettersOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\tx\t"), "\tx\t");  // a tab is content, not padding
    EXPECT_EQ(ToUpper("Divided \xC3\xA9z"), "DIVIDED \xC3\xA9Z");
    EXPECT_TRUE(IsEmptyOrSpaces("") && IsEmptyOrSpaces("   "));
    EXPECT_FALSE(IsEmptyOrSpaces(" \t "));
    EXPECT_TRUE(IsSpaceOrTab(' ') && IsSpaceOrTab('\t'));
    EXPECT_FALSE(IsSpaceOrTab('\n'));
}

TEST(Text, Utf8CharacterLengthAcceptsWellFormedCharactersOnly) {
    // Stray continuation, overlong forms, a surrogate, beyond U+10FFFF, cut short.
    // clang-format off
    for (const auto& [text, length] : std::initializer_list<std::pair<std::string, std::size_t>>{
             {"a", 1}, {"\xC3\xA9", 2}, {"\xE2\x82\xAC", 3}, {"\xF0\x9F\x98\x80", 4},
             {"\xF4\x8F\xBF\xBF", 4}, {"\x80", 0}, {"\xC0\xAF", 0}, {"\xE0\x9F\xBF", 0},
             {"\xF0\x8F\xBF\xBF", 0}, {"\xED\xA0\x80", 0}, {"\xF4\x90\x80\x80", 0},
             {"\xE2\x82", 0}, {"\xE2\x28\xAC", 0}, {"\xF8\x88\x80\x80", 0}}) {
        // clang-format on
        EXPECT_EQ(Utf8CharacterLength(text, 0), length) << text;
        EXPECT_EQ(IsValidUtf8("ok " + text), length != 0) << text;
    }
}

// Texts of every size the word-wise comparison treats apart are the same only
// when every byte is: one byte changed anywhere tells them apart.
TEST(Text, SameTextComparesEveryByte) {
    const std::string digits = "0123456789abcdefghij";
    for (std::size_t size = 0; size <= digits.size(); ++size) {
        const std::string text = digits.substr(0, size);
        EXPECT_TRUE(SameText(text, std::string(text)));
        EXPECT_FALSE(SameText(text, text + "x"));
        for (std::size_t at = 0; at < size; ++at) {
            std::string changed = text;
            changed[at] = '-';
            EXPECT_FALSE(SameText(text, changed)) << size << " " << at;
        }
    }
    EXPECT_TRUE(SameTextUpperCased("Error", "ERROR"));
    EXPECT_TRUE(SameTextUpperCased("message", "MESSAGE"));
    EXPECT_FALSE(SameTextUpperCased("Errors", "ERROR"));
    EXPECT_FALSE(SameTextUpperCased("\xC3\xA9rror", "ERROR"));
}

// A byte above ASCII is found wherever it stands, in the words or in the end
// taken as a word of its own, at every size the test treats apart.
TEST(Text, IsAsciiFindsAHighByteAnywhere) {
    for (std::size_t size = 0; size <= 20; ++size) {
        const std::string plain(size, '~');
        EXPECT_TRUE(IsAscii(plain)) << size;
        for (std::size_t at = 0; at < size; ++at) {
            std::string high = plain;
            high[at] = '\x80';
            EXPECT_FALSE(IsAscii(high)) << size << " " << at;
        }
    }
}

}  // namespace
}  // namespace corvane
