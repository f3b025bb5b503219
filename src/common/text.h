// Small text helpers shared by every layer. Texts are UTF-8; letters are
// compared and changed as ASCII only, as the paving-grades file needs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

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
// the file format trims spaces only, so a tab is content.
std::string_view Trim(std::string_view text);

// True when the text is empty or holds nothing but spaces (a blank line or a
// blank column of the file; a tab is content).
bool IsEmptyOrSpaces(std::string_view text);

// True for the blanks a number may stand between: a space or a tab.
bool IsSpaceOrTab(char c);

// The text without the spaces and tabs around it: a number's or a station's
// text as typed.
std::string_view TrimBlanks(std::string_view text);

// True for an ASCII digit 0..9.
bool IsAsciiDigit(char c);

// The number of bytes of the valid UTF-8 character that starts at text[at],
// or 0 when none does there (a stray byte, an overlong form, a surrogate, a
// value above U+10FFFF, or a character cut short by the end of the text).
std::size_t Utf8CharacterLength(std::string_view text, std::size_t at);

// True when the whole text is valid UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view text);

}  // namespace corvane
