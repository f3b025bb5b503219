#include "input/text_encoding.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/text.h"

namespace corvane {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same value, as browsers do.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Appends the Windows-1252 text `bytes` to `out` as UTF-8.
void AppendCp1252AsUtf8(std::string_view bytes, std::string& out) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) {
            AppendUtf8(kCp1252High[byte - 0x80], out);
        } else {
            AppendUtf8(byte, out);  // Latin-1 and ASCII keep their code point
        }
    }
}

}  // namespace

// Eight bytes at a time: a byte's high bit marks it non-ASCII, and the word
// minus one in every byte borrows into the high bit of a zero byte (exactly
// when some byte is zero, though not always only there).
// Where the processor compares sixteen bytes at once (every x86-64 one
// does), the bytes go sixteen at a time first: every line of a file is examined.
LineBytes ExamineBytes(std::string_view bytes) {
    constexpr uint64_t kLowBits = 0x0101010101010101ULL;
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    uint64_t high = 0;
    uint64_t zero = 0;
    size_t i = 0;
#if defined(__SSE2__)
    constexpr size_t kSixteen = 16;
    if (bytes.size() >= kSixteen) {
        __m128i anyBits = _mm_setzero_si128();
        __m128i zeroBytes = _mm_setzero_si128();
        const auto take = [&](size_t at) {
            const __m128i sixteen =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
            anyBits = _mm_or_si128(anyBits, sixteen);
            zeroBytes = _mm_or_si128(zeroBytes, _mm_cmpeq_epi8(sixteen, _mm_setzero_si128()));
        };
        for (; i + kSixteen <= bytes.size(); i += kSixteen) {
            take(i);
        }
        take(bytes.size() - kSixteen);  // the last bytes, some of them seen twice
        return {_mm_movemask_epi8(anyBits) == 0, _mm_movemask_epi8(zeroBytes) != 0};
    }
#endif
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, bytes.data() + i, 8);
        high |= chunk;
        zero |= (chunk - kLowBits) & ~chunk;
    }
    LineBytes result{(high & kHighBits) == 0, (zero & kHighBits) != 0};
    for (char c : bytes.substr(i)) {
        result.ascii = result.ascii && static_cast<unsigned char>(c) < 0x80;
        result.nul = result.nul || c == '\0';
    }
    return result;
}

std::string_view DecodeLine(std::string_view bytes, std::string& scratch) {
    if (IsAscii(bytes) || IsValidUtf8(bytes)) {
        return bytes;
    }
    scratch.clear();
    AppendCp1252AsUtf8(bytes, scratch);
    return scratch;
}

}  // namespace corvane
