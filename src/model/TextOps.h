#pragma once

#include <string>
#include <string_view>

// Search and field splitting on code page 932 byte strings. Every delimited text of the
// system (sheet lines, definition lines, variable references, argument specs) is cut here.
namespace hakoniwa {

// True when the byte is a lead byte of a double-byte character.
bool isLeadByte(unsigned char byte);

// Offset of the leftmost separator that starts a character (never the second byte of a
// double-byte character), or std::string::npos.
std::size_t findSeparator(std::string_view text, char separator, std::size_t from = 0);

// True when no ",", "/" or "\" starts a character before `end`: the text up to there can be
// a variable's name, not a constant entry or a path.
bool isPlainName(std::string_view text, std::size_t end);

// Plain byte search; the empty pattern is never found.
bool serchStr(std::string_view text, std::string_view pattern);

// Number of fields of the text at the separator (at least 1).
int getSplitCount(std::string_view text, char separator);

// Field `index` of the text; the last field for an index past the end or a negative one.
std::string getSplitStrVal(std::string_view text, char separator, int index);

} // namespace hakoniwa
