#pragma once
// Numbers typed by people or left in old settings files: read the way a numeric literal
// is read, forgiving about blanks and trailing junk, never failing.

#include <cstdint>
#include <string_view>

namespace bw::app {

// The number at the start of the text, rounded to the nearest integer (halves to even).
// Blanks, tabs and line feeds anywhere are ignored; "&H" (hexadecimal) and "&O" (octal)
// give a signed 32-bit value; reading stops at the first character that does not fit.
// No number, or one beyond the 32-bit range, gives 0.
std::int32_t readNumber(std::string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfToEven(double value);

} // namespace bw::app
