// The allocator under the large tables: big blocks on 2 MiB boundaries, small
// ones from operator new, and a vector that behaves like any other vector.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "input/cross_section.h"
#include "input/large_table_allocator.h"

namespace corvane::test {
namespace {

bool OnHugePageBoundary(const void* block) {
    return reinterpret_cast<std::uintptr_t>(block) % kHugePageSize == 0;
}

TEST(InputLargeTableAllocator, LargeBlocksStartOnAHugePageAndAreFullyUsable) {
    LargeTableAllocator<char> allocator;
    // Exactly 2 MiB, and a size that is not a multiple of it (rounded up inside).
    for (std::size_t bytes : {kHugePageSize, kHugePageSize * 4 + 12345}) {
        char* block = allocator.allocate(bytes);
        EXPECT_TRUE(OnHugePageBoundary(block)) << bytes;
        block[0] = 'a';
        block[bytes - 1] = 'z';
        EXPECT_EQ(block[0], 'a');
        EXPECT_EQ(block[bytes - 1], 'z');
        allocator.deallocate(block, bytes);
    }
}

TEST(InputLargeTableAllocator, SmallBlocksAndImpossibleSizes) {
    LargeTableAllocator<std::string> allocator;
    std::string* few = allocator.allocate(3);
    ASSERT_NE(few, nullptr);
    allocator.deallocate(few, 3);

    EXPECT_THROW(allocator.allocate(SIZE_MAX / sizeof(std::string) + 1), std::bad_array_new_length);
    EXPECT_TRUE(allocator == LargeTableAllocator<int>{});
}

TEST(InputLargeTableAllocator, FullSizeTableKeepsItsRecordsThroughClearAndResize) {
    SectionTable table(kStationCapacity);
    EXPECT_TRUE(OnHugePageBoundary(table.data()));
    table[kMaxStationIndex].PointSlope[kMaxPointIndex] = "1.00";
    table[0].Station = "12+00";

    const CrossSection* storage = table.data();
    SectionTable copy = table;  // a copy is an ordinary deep copy
    table.clear();
    table.resize(kStationCapacity);
    EXPECT_EQ(table.data(), storage);  // the storage is kept, not given back
    EXPECT_TRUE(table[0].Station.empty());
    EXPECT_EQ(copy[0].Station, "12+00");
    EXPECT_EQ(copy[kMaxStationIndex].PointSlope[kMaxPointIndex], "1.00");

    // A table of a few records, as the tests build, stays a small block.
    SectionTable few(3);
    few[2].Station = "1+00";
    few.resize(kStationCapacity);  // grows past 2 MiB: moved into a large block
    EXPECT_EQ(few[2].Station, "1+00");
    EXPECT_TRUE(OnHugePageBoundary(few.data()));
}

}  // namespace
}  // namespace corvane::test
