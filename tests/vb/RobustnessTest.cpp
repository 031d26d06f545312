// Garbage in the text boxes and odd patterns must never crash, throw or hang.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "vb/Format.h"
#include "vb/Numbers.h"

namespace {

std::string randomText(std::mt19937& rng)
{
    static constexpr char kChars[] = "0123456789.+-eEdD&hHxX#,% \t\n\0\xFF\x80"
                                     "abcF";
    static const std::string kAlphabet(kChars, sizeof kChars - 1);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::string s;
    const std::size_t n = length(rng);
    const int k = kind(rng);
    for (std::size_t i = 0; i < n; ++i) {
        if (k == 0) {
            s += static_cast<char>(rng() & 0xFF);  // any byte, NUL and high bytes included
        } else {
            s += kAlphabet[rng() % kAlphabet.size()];
        }
    }
    return s;
}

std::vector<std::string> nastyTexts()
{
    return {
        std::string(20000, '7'),
        "0." + std::string(20000, '0') + "1",
        "1E999999",
        "-1E-999999",
        "1E" + std::string(100, '9'),
        "&H" + std::string(100, 'F'),
        "&h" + std::string(100, '9'),
        std::string("\0\0\0", 3),
        "9" + std::string(400, '0') + "E-400",
        std::string(5000, '#') + "." + std::string(5000, '0'),
        std::string(3000, ','),
        "..........",
    };
}

void exercise(const std::string& text)
{
    const double v = vb::Val(text);
    ASSERT_TRUE(std::isfinite(v)) << text;
    (void)vb::HexValue(text);
    (void)vb::Str(v);
    (void)vb::Format(v, "#,###,###.000######");
    (void)vb::Format(v, text);
    (void)vb::Format(-v, text);
}

}  // namespace

TEST(VbRobustness, RandomTextsAndPatterns)
{
    std::mt19937 rng(20260611);
    for (int i = 0; i < 4000; ++i)
        exercise(randomText(rng));
    for (const std::string& s : nastyTexts())
        exercise(s);
}

TEST(VbRobustness, ExtremeValuesThroughEveryPattern)
{
    const double values[] = {0.0, -0.0, 1e308, -1e308, 5e-324, -DBL_MAX, 0.5, -0.5, 999999999999999.9, NAN, INFINITY};
    const char* patterns[] = {"##0.000", "#,###,###.000######", " #,##0.00000", "#####.00000", "00", "", ".", ",", "#"};
    for (double v : values) {
        for (const char* p : patterns) {
            const std::string text = vb::Format(v, p);
            if (v == 0.0) {
                EXPECT_EQ(text.find('-'), std::string::npos) << p;
            }
            (void)vb::CLng(v);
            (void)vb::CInt(v);
            (void)vb::Str(v);
        }
    }
    EXPECT_EQ(vb::Format(1e308, "0").size(), 309u);
}
