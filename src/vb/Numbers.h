#pragma once

// Number texts and conversions the forms are written against, with the
// semantics of the original runtime where they matter to a user or a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vb/Strings.h"

namespace vb {

// Decimal text with one leading blank when v >= 0, "-" otherwise.
// A Double shows at most 15 significant digits, without trailing zeros,
// integers without a point, values below 1 with a leading zero (" 0.5",
// "-0.5"); exponent form "1E+15", "1.5E-05" when the decimal exponent is
// 15 or more or below -4. NaN gives "NaN", infinities " Inf" / "-Inf".
std::string Str(int v);
std::string Str(long v);
std::string Str(long long v);
std::string Str(unsigned v);
std::string Str(unsigned long v);
std::string Str(unsigned long long v);
std::string Str(double v);

// Str without the leading blank.
std::string CStr(int v);
std::string CStr(long v);
std::string CStr(long long v);
std::string CStr(unsigned v);
std::string CStr(unsigned long v);
std::string CStr(unsigned long long v);
std::string CStr(double v);

// Upper-case hexadecimal without leading zeros. A negative value that fits a
// Long is shown as its 32-bit two's complement (Hex(-1) = "FFFFFFFF"); more
// negative ones as 64-bit.
std::string Hex(long long v);

// The longest leading part of t that reads as a decimal number: blanks
// (space, tab, CR, LF) skipped, optional sign, digits with at most one point,
// optional exponent "E" or "D" (any case) with optional sign and digits.
// 0 when nothing reads. "&H" (any case) reads the hexadecimal digits that
// follow as an unsigned value. Magnitudes beyond a Double saturate to
// +-DBL_MAX, too small ones give 0; never NaN or infinity, never -0.
double Val(std::string_view t);

// t read as a hexadecimal number: surrounding blanks ignored, the leading hex
// digits read up to the first other character, 0 when there are none. The
// value wraps to 32 bits and is returned as a signed Long ("FFFFFFFF" = -1),
// so Hex(HexValue(t)) gives the digits back.
long HexValue(std::string_view t);

// The text of an input box read as a number: blanks (space, tab) around it
// allowed, the rest must be a whole decimal number as Val reads it (sign,
// digits with at most one point, exponent "E" or "D"). nullopt for anything
// else, so "2.5 mOhm" or "&H10" is no number rather than 2.5 or 16.
std::optional<double> NumberOf(std::string_view text);

// Nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);

// A floating value stored into a Long / Integer: rounded halves to even.
// Out-of-range values saturate at the type's limits; NaN gives 0.
std::int32_t CLng(double v);
std::int16_t CInt(double v);

// The low 16 bits of a Long seen as an Integer (40000 -> -25536).
std::int16_t Int16Of(std::int32_t v);

}  // namespace vb
