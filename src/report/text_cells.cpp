#include "report/text_cells.h"

namespace corvane {

namespace {

// Stray bytes are kept as U+DC80..U+DCFF, which no valid UTF-8 text decodes to.
constexpr char32_t kStrayByteBase = 0xDC00;

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

struct DecodedCharacter {
    char32_t value;
    size_t length;
};

// The character that starts at text[at]: a valid UTF-8 sequence (no overlong
// form, no surrogate, nothing above U+10FFFF) or else the single stray byte.
DecodedCharacter DecodeAt(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const DecodedCharacter stray{kStrayByteBase + lead, 1};
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return stray;
    }
    if (at + length > text.size()) {
        return stray;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuationByte(byte)) {
            return stray;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < smallest || surrogate || value > 0x10FFFF) {
        return stray;
    }
    return {value, length};
}

void AppendUtf8(char32_t value, std::string& text) {
    if (value >= kStrayByteBase + 0x80 && value <= kStrayByteBase + 0xFF) {
        text += static_cast<char>(value - kStrayByteBase);
    } else if (value < 0x80) {
        text += static_cast<char>(value);
    } else if (value < 0x800) {
        text += static_cast<char>(0xC0 | (value >> 6));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        text += static_cast<char>(0xE0 | (value >> 12));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (value >> 18));
        text += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (value & 0x3F));
    }
}

}  // namespace

std::u32string DecodeCells(std::string_view text) {
    std::u32string cells;
    cells.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const DecodedCharacter character = DecodeAt(text, at);
        cells += character.value;
        at += character.length;
    }
    return cells;
}

std::string EncodeCells(std::u32string_view cells) {
    std::string text;
    text.reserve(cells.size());
    for (char32_t value : cells) {
        AppendUtf8(value, text);
    }
    return text;
}

int CellCount(std::string_view text) {
    int count = 0;
    for (size_t at = 0; at < text.size(); at += DecodeAt(text, at).length) {
        ++count;
    }
    return count;
}

}  // namespace corvane
