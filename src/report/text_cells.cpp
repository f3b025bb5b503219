#include "report/text_cells.h"

namespace corvane {

namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::size_t CellLength(std::string_view text, std::size_t at) {
    constexpr std::size_t kStray = 1;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
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
        return kStray;
    }
    if (at + length > text.size()) {
        return kStray;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        if (!IsContinuationByte(byte)) {
            return kStray;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (value < smallest || surrogate || value > 0x10FFFF) {
        return kStray;
    }
    return length;
}

int CellCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); at += CellLength(text, at)) {
        ++count;
    }
    return count;
}

}  // namespace corvane
