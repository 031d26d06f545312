#pragma once
// The scope's vertical scale (top, bottom and span in the reading's unit, 10
// divisions), the peaks it is ranged on, and the axis texts with their places:
// pure arithmetic, so it is testable without a window.
#include <array>
#include <string>
#include <vector>

namespace adutil {

// Full range of the converter in millivolts, and the widest span shown.
inline constexpr double kFullSpan = 5200;
inline constexpr double kMaxSpan = 7000;
// Peaks after a reset: any reading replaces them.
inline constexpr double kPeakResetMax = -9.99e9;
inline constexpr double kPeakResetMin = 9.99e9;
inline constexpr int kDivisions = 10;

struct ScopeScale {
    double ScaleTop = 0, ScaleBottom = 0, ScaleSpan = 0;
    // The span the range buttons work on; only the shown span is held at kMaxSpan.
    double RangeSpan = 0;
    double PeakMax = 0, PeakMin = 0, PeakMax2 = 0, PeakMin2 = 0;

    // "Reset Scale": the full range, +-2600 mV.
    void reset();
    void resetPeaks();
    // The present span centred on the middle of the peaks.
    void centerOnPeaks();
    // A sensitivity press: RangeSpan times factor.
    void scaleRangeSpan(double factor);
    // The span shown for RangeSpan (10 % wider, at most kMaxSpan), its bottom
    // just below the lowest peak.
    void applyRangeSpan();
    // "AutoRange" before its centring: five times the peak-to-peak value shown
    // (at least 50: a value below 0.0001 counts as 10, the minimum then taken
    // as the shown minimum less 5), at most kMaxSpan. Returns that span.
    double autoRange(double peakToPeak, double shownMinimum);

private:
    // A new scale that would not be finite keeps the old one.
    void setScale(double span, double bottom);
};

// Nearest whole number, halves to even, as a grid or label step; 0 when the
// picture is too small for the step (the stepping loops then draw nothing).
int gridStep(double length);

// Axis texts: x from "0" to Str(plotWidth) in tenths, y from the bottom up in
// span / 10 steps (a running sum, as the value texts are read back).
std::array<std::string, kDivisions + 1> xLabelTexts(int plotWidth);
std::array<std::string, kDivisions + 1> yLabelTexts(double bottom, double span);
// A y value text as printed: a leading blank in place of the sign for values of 0 and above.
std::string yLabelPrint(const std::string& text);

struct PlacedText {
    int x, y;
    std::string text;
};

// Where the axis texts go in the label picture around a trace picture of
// width w and height h: the y values right of it from the bottom up, the unit
// under them, the x texts under it (right to left), the sample count and the
// title. th and tw are the label picture's text height and "W" width.
struct LabelLayoutInput {
    int w, h, th, tw;
    const std::array<std::string, kDivisions + 1>& xTexts;
    const std::array<std::string, kDivisions + 1>& yTexts;
    const std::string& unit;
    const std::string& title;
};
std::vector<PlacedText> layoutGridLabels(const LabelLayoutInput& in);

}  // namespace adutil
