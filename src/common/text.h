// Small text helpers shared by every layer. Texts are UTF-8; letters are
// compared and changed as ASCII only, as the paving-grades file needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace corvane {

// Copies up to 16 bytes in a few loads and stores rather than a call into the
// C library: every text of every point and cell, and every cell a page draws,
// passes here. Every load comes before the stores, so the ranges may overlap.
inline void CopyShortBytes(char* to, const char* from, std::size_t size) noexcept {
    const auto copyEnds = [&](auto word) {
        constexpr std::size_t kWord = sizeof word;
        decltype(word) head, tail;
        std::memcpy(&head, from, kWord);
        std::memcpy(&tail, from + size - kWord, kWord);
        std::memcpy(to, &head, kWord);
        std::memcpy(to + size - kWord, &tail, kWord);
    };
    if (size >= 8) {
        copyEnds(std::uint64_t{});
    } else if (size >= 4) {
        copyEnds(std::uint32_t{});
    } else if (size > 0) {
        const char first = from[0];
        const char middle = from[size / 2];
        const char last = from[size - 1];
        to[0] = first;
        to[size / 2] = middle;
        to[size - 1] = last;
    }
}

// Whether the two texts hold the same bytes. A reader compares short texts (a
// station, a side's word) on every row of the file: up to 16 bytes are
// compared as two overlapping words of each, not by a call into the C library.
inline bool SameText(std::string_view a, std::string_view b) {
    const std::size_t size = a.size();
    if (size != b.size()) {
        return false;
    }
    const auto sameEnds = [&](auto word) {
        constexpr std::size_t kWord = sizeof word;
        decltype(word) a0, a1, b0, b1;
        std::memcpy(&a0, a.data(), kWord);
        std::memcpy(&a1, a.data() + size - kWord, kWord);
        std::memcpy(&b0, b.data(), kWord);
        std::memcpy(&b1, b.data() + size - kWord, kWord);
        return ((a0 ^ b0) | (a1 ^ b1)) == 0;
    };
    if (size > 16) {
        return std::memcmp(a.data(), b.data(), size) == 0;
    }
    if (size >= 8) {
        return sameEnds(std::uint64_t{});
    }
    if (size >= 4) {
        return sameEnds(std::uint32_t{});
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// Whether the text, its ASCII letters upper-cased, is `upper`; no copy is made.
bool SameTextUpperCased(std::string_view text, std::string_view upper);

// Upper-cased copy: the ASCII letters a..z become A..Z, every other byte stays.
std::string ToUpper(std::string_view text);
// The same for one byte.
char ToUpper(char c);

// prefix + description + " occured in " + routine: the text of a fault that
// ends a routine. The readers' prefix is "Program Error : ", the point
// selection's "Program Error: ".
std::string ProgramErrorText(std::string_view prefix, std::string_view description,
                             std::string_view routine);

// The text without leading and trailing spaces. Tabs and other blanks stay:
// the file format trims spaces only, so a tab is content. (Inline, as the one
// below: every cell of every page asks.)
inline std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && text[first] == ' ') {
        ++first;
    }
    while (end > first && text[end - 1] == ' ') {
        --end;
    }
    return text.substr(first, end - first);
}

// True when the text is empty or holds nothing but spaces (a blank line or a
// blank column of the file; a tab is content).
bool IsEmptyOrSpaces(std::string_view text);

// True for the blanks a number may stand between: a space or a tab.
bool IsSpaceOrTab(char c);

// The text without the spaces and tabs around it: a number's or a station's
// text as typed.
std::string_view TrimBlanks(std::string_view text);

// True for an ASCII digit 0..9.
inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when every byte is below 0x80. Every text of every page is asked, so
// the bytes are taken eight or four at a time, the last ones as the end of a
// word (some seen twice), never one by one past the first three.
inline bool IsAscii(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::uint64_t anyBits = 0;
    const auto take = [&text, &anyBits](auto word, std::size_t at) {
        std::memcpy(&word, text.data() + at, sizeof word);
        anyBits |= word;
    };
    const std::size_t size = text.size();
    if (size >= 8) {
        for (std::size_t at = 0; at + 8 <= size; at += 8) {
            take(std::uint64_t{}, at);
        }
        take(std::uint64_t{}, size - 8);
    } else if (size >= 4) {
        take(std::uint32_t{}, 0);
        take(std::uint32_t{}, size - 4);
    } else {
        for (const char byte : text) {
            anyBits |= static_cast<unsigned char>(byte);
        }
    }
    return (anyBits & kHighBits) == 0;
}

// The number of bytes of the valid UTF-8 character that starts at text[at],
// or 0 when none does there (a stray byte, an overlong form, a surrogate, a
// value above U+10FFFF, or a character cut short by the end of the text).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at);

// True when the whole text is valid UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view text);

}  // namespace corvane
