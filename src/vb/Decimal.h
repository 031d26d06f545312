#pragma once

// Internal to vb/: the decimal digits both Str and Format start from, so the
// two always agree on what a Double "is" when shown.

namespace vb::detail {

// A finite value as at most 15 significant decimal digits (what the runtime
// shows of a Double): magnitude = 0.d1 d2 ... dn x 10^point.
struct Decimal15 {
    char digits[16] = {};  // no leading or trailing zeros; count 0 means zero
    int count = 0;
    int point = 0;  // digits before the decimal point; may be <= 0 or > count
    bool negative = false;
};

// v must be finite.
Decimal15 toDecimal15(double v);

// Rounds half away from zero to `decimals` places after the point; drops the
// trailing zeros that leaves. A result of zero clears `negative`.
void roundDecimals(Decimal15& d, long long decimals);

}  // namespace vb::detail
