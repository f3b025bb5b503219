#include "input/columns.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane {

namespace {

// A byte value times kLowBits stands in every byte of a 64-bit word.
constexpr uint64_t kLowBits = 0x0101010101010101ULL;
constexpr uint64_t kAllButHigh = 0x7F7F7F7F7F7F7F7FULL;
constexpr uint64_t kCommas = kLowBits * static_cast<unsigned char>(',');

// The high bit of every byte of `word` that is a comma, and no other bit.
uint64_t CommaBits(uint64_t word) {
    const uint64_t zeroWhereComma = word ^ kCommas;
    return ~(((zeroWhereComma & kAllButHigh) + kAllButHigh) | zeroWhereComma | kAllButHigh);
}

}  // namespace

// Every row of the file is split, so sixteen bytes (where the processor
// compares that many at once, as every x86-64 one does) or eight are searched
// for commas at a time; only the few commas found cost a step each. The word's
// first byte must be its lowest, hence the plain pass where it is not.
void Columns::Split(std::string_view line) {
    columns_.clear();
    size_t start = 0;
    size_t i = 0;
    const auto columnTo = [&](size_t comma) {
        columns_.emplace_back(line.data() + start, comma - start);
        start = comma + 1;
    };
#if defined(__SSE2__)
    constexpr size_t kSixteen = 16;
    const __m128i commas = _mm_set1_epi8(',');
    // The commas among the sixteen bytes at `at`, from byte `from` of them on.
    const auto splitSixteen = [&](size_t at, unsigned from) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + at));
        auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, commas)));
        for (found &= ~((1U << from) - 1); found != 0; found &= found - 1) {
            columnTo(at + static_cast<size_t>(std::countr_zero(found)));
        }
    };
    for (; i + kSixteen <= line.size(); i += kSixteen) {
        splitSixteen(i, 0);
    }
    if (i < line.size() && line.size() >= kSixteen) {
        // The last bytes as the end of sixteen, those seen already passed over.
        const size_t last = line.size() - kSixteen;
        splitSixteen(last, static_cast<unsigned>(i - last));
        i = line.size();
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + sizeof(uint64_t) <= line.size(); i += sizeof(uint64_t)) {
            uint64_t word;
            std::memcpy(&word, line.data() + i, sizeof word);
            for (uint64_t commas = CommaBits(word); commas != 0; commas &= commas - 1) {
                columnTo(i + static_cast<size_t>(std::countr_zero(commas)) / 8);
            }
        }
    }
    for (; i < line.size(); ++i) {
        if (line[i] == ',') {
            columnTo(i);
        }
    }
    columns_.push_back(line.substr(start));
}

// Every line is tested for a run of commas, so the test skips ahead: a run of
// `length` commas must cover one of the positions length-1, 2*length-1, ...
// and only a comma found at such a position needs a closer look.
bool ContainsCommaRun(std::string_view line, size_t length) {
    if (length == 0) {
        return true;
    }
    size_t probe = length - 1;
    while (probe < line.size()) {
        if (line[probe] != ',') {
            probe += length;
            continue;
        }
        size_t first = probe;
        while (first > 0 && line[first - 1] == ',') {
            --first;
        }
        size_t last = probe;
        while (last + 1 < line.size() && line[last + 1] == ',') {
            ++last;
        }
        if (last - first + 1 >= length) {
            return true;
        }
        probe = last + 1 + length;  // the next run starts after last + 1
    }
    return false;
}

bool Columns::HasCommaRun(size_t length) const {
    if (length <= 1) {
        return length == 0 || Count() > 1;
    }
    if (Count() < length + 1) {
        return false;  // fewer commas than the run needs
    }
    // Columns 1 to Count() - 2 lie between two commas; the first and last do not.
    size_t emptyInARow = 0;
    for (size_t column = 1; column + 1 < Count(); ++column) {
        emptyInARow = columns_[column].empty() ? emptyInARow + 1 : 0;
        if (emptyInARow + 1 >= length) {
            return true;
        }
    }
    return false;
}

std::string_view FirstColumn(std::string_view line) {
    return line.substr(0, line.find(','));
}

std::string_view AfterFirstComma(std::string_view line) {
    const size_t comma = line.find(',');
    return comma == std::string_view::npos ? std::string_view{} : line.substr(comma + 1);
}

}  // namespace corvane
