#pragma once

// String helpers of the forms. Positions are 1-based as in the form code.
// The original runtime raised errors for negative lengths and positions
// below 1; these clamp instead, so a bad argument never ends the program.

#include <string>
#include <string_view>

namespace vb {

// Code of the first byte (0 to 255); 0 for an empty text.
int Asc(std::string_view s);
// One byte of code n; empty for codes outside 0 to 255.
std::string Chr(int n);

std::string Left(std::string_view s, long long length);
std::string Right(std::string_view s, long long length);
// From position start (below 1 counts as 1) to the end, or at most length bytes.
std::string Mid(std::string_view s, long long start);
std::string Mid(std::string_view s, long long start, long long length);

// Blanks (spaces) only, as the original runtime does.
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

// ASCII letters only; other bytes are kept.
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Position of needle in hay searching from start (below 1 counts as 1);
// 0 when absent or when start is past the end. An empty needle is found at start.
long long InStr(long long start, std::string_view hay, std::string_view needle);
long long InStr(std::string_view hay, std::string_view needle);

long long Len(std::string_view s);

}  // namespace vb
