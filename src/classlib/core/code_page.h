#pragma once
// Upper and lower case in the ANSI code page the tool's texts are in (CP1252), as Windows maps
// them: ASCII letters, the Latin-1 letters (not the signs 0xD7 and 0xF7, nor 0xDF, which has no
// capital), and the four letters whose capitals lie in 0x80..0x9F.

#include <string_view>

namespace classlib::cp1252 {

char ToLower(char c);
char ToUpper(char c);

// Equal but for case, as Windows compares registry names.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace classlib::cp1252
