#include "vb/Strings.h"

#include <algorithm>

namespace vb {

namespace {

std::size_t clampLength(long long length, std::size_t limit)
{
    if (length <= 0)
        return 0;
    return static_cast<unsigned long long>(length) < limit ? static_cast<std::size_t>(length) : limit;
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

int Asc(std::string_view s) { return s.empty() ? 0 : static_cast<unsigned char>(s.front()); }

std::string Chr(int n)
{
    if (n < 0 || n > 255)
        return {};
    return std::string(1, static_cast<char>(static_cast<unsigned char>(n)));
}

std::string Left(std::string_view s, long long length)
{
    return std::string(s.substr(0, clampLength(length, s.size())));
}

std::string Right(std::string_view s, long long length)
{
    const std::size_t n = clampLength(length, s.size());
    return std::string(s.substr(s.size() - n));
}

std::string Mid(std::string_view s, long long start) { return Mid(s, start, static_cast<long long>(s.size())); }

std::string Mid(std::string_view s, long long start, long long length)
{
    const std::size_t from = clampLength(start - 1, s.size());
    return std::string(s.substr(from, clampLength(length, s.size() - from)));
}

std::string LTrim(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s)
{
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::string UCase(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

std::string LCase(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

long long InStr(long long start, std::string_view hay, std::string_view needle)
{
    if (start < 1)
        start = 1;
    if (static_cast<unsigned long long>(start) > hay.size())
        return 0;
    const std::size_t at = hay.find(needle, static_cast<std::size_t>(start - 1));
    return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

long long InStr(std::string_view hay, std::string_view needle) { return InStr(1, hay, needle); }

long long Len(std::string_view s) { return static_cast<long long>(s.size()); }

}  // namespace vb
