#include "common/text.h"

namespace corvane {

namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

char ToUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = ToUpper(c);
    }
    return upper;
}

bool SameTextUpperCased(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (ToUpper(text[i]) != upper[i]) {
            return false;
        }
    }
    return true;
}

std::string ProgramErrorText(std::string_view prefix, std::string_view description,
                             std::string_view routine) {
    std::string text(prefix);
    text.append(description).append(" occured in ").append(routine);
    return text;
}

bool IsEmptyOrSpaces(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsSpaceOrTab(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpaceOrTab(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The lead byte fixes the length; the second byte's range rules out overlong
// forms (E0, F0), surrogates (ED) and values above U+10FFFF (F4).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = lead == 0xE0 ? 0xA0 : 0x80;
        highest = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = lead == 0xF0 ? 0x90 : 0x80;
        highest = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < lowest || second > highest) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuationByte(static_cast<unsigned char>(text[at + k]))) {
            return 0;
        }
    }
    return length;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8CharacterLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

}  // namespace corvane
