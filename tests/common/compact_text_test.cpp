#include "common/compact_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// Texts on both sides of the 15 bytes held inline, and one with a zero byte.
const std::vector<std::string> kTexts = {"",
                                         "B",
                                         "-12.000",
                                         "123456789012345",
                                         "1234567890123456",
                                         std::string(300, 'x'),
                                         std::string("a\0b", 3)};

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
