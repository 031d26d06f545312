#include "chip/Thermistor.h"

namespace chip {

double thermistorLookup(double x, const ThermistorTable& t)
{
    int k = 0;
    while (k < kThermistorPoints && !(x > t.volts[k]))
        ++k;
    if (k == 0)
        return t.temps[0];
    if (k == kThermistorPoints)
        return t.temps[kThermistorPoints - 1];
    // k is the first point below x, so volts[k-1] >= x > volts[k]: the divisor is positive.
    return t.temps[k - 1] + 5 * (t.volts[k - 1] - x) / (t.volts[k - 1] - t.volts[k]);
}

}  // namespace chip
