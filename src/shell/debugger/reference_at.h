// The variable or element reference at a column of a program line, as the values under
// the mouse read it: a name, or a name followed by its index in brackets (t[i], t[3]).
#pragma once

#include <string>
#include <string_view>

namespace vokc {

// The reference that the character at `column` (0-based) belongs to, or an empty text
// when that character is not part of a name. On a name inside brackets (the i of t[i])
// it is that name alone; on an array's name it takes the index along.
std::u16string ReferenceAt(std::u16string_view line, int column);

} // namespace vokc
