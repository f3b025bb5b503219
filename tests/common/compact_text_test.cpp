#include "common/compact_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// Texts of every size up to past the 15 bytes held inline (each copied in a
// way of its own), a long one, and one with a zero byte.
std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    const std::string digits = "0123456789abcdefgh";
    for (std::size_t size = 0; size <= digits.size(); ++size) {
        texts.push_back(digits.substr(0, size));
    }
    texts.push_back(std::string(300, 'x'));
    texts.push_back(std::string("a\0b", 3));
    return texts;
}
const std::vector<std::string> kTexts = Texts();

TEST(CompactText, HoldsEveryTextWholeWhetherInlineOrOnTheHeap) {
    for (const std::string& text : kTexts) {
        SCOPED_TRACE(text.size());
        const CompactText held(text);
        EXPECT_EQ(held.size(), text.size());
        EXPECT_EQ(held.view(), text);
        EXPECT_EQ(held.empty(), text.empty());

        CompactText copy(held);
        EXPECT_EQ(copy, held.view());
        CompactText moved(std::move(copy));
        EXPECT_EQ(moved.view(), text);
        EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from text is left empty

        // Every form assigned over every other, in both directions.
        for (const std::string& other : kTexts) {
            CompactText target(other);
            target = held;
            EXPECT_EQ(target.view(), text);
            target = CompactText(other);
            EXPECT_EQ(target.view(), other);
            target = std::string_view(text);
            EXPECT_EQ(target.view(), text);
        }
        CompactText cleared(text);
        cleared.clear();
        EXPECT_TRUE(cleared.empty());
    }
}

TEST(CompactText, TakesAPartOfItselfAndItselfWhole) {
    for (const std::string& text : kTexts) {
        SCOPED_TRACE(text.size());
        CompactText held(text);
        const CompactText& same = held;
        held = same;
        EXPECT_EQ(held.view(), text);
        held = held.view().substr(held.size() / 2);
        EXPECT_EQ(held.view(), text.substr(text.size() / 2));
    }
}

TEST(CompactText, ComparesWithAnyText) {
    const CompactText code("BR");
    EXPECT_TRUE(code == "BR");
    EXPECT_TRUE("BR" == code);
    EXPECT_TRUE(code == std::string("BR"));
    EXPECT_FALSE(code == "BR ");
    EXPECT_TRUE(code != CompactText("Br"));
    EXPECT_EQ(sizeof(CompactText), 16u);
}

}  // namespace
}  // namespace corvane
