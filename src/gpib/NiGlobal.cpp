#include "gpib/NiGlobal.h"

#include <algorithm>

namespace gpib {

std::string fixedLength(std::string_view text, std::size_t length)
{
    std::string s(text.substr(0, std::min(text.size(), length)));
    s.resize(length, ' ');
    return s;
}

std::string NiGlobal::reply(int lineEnd) const
{
    // ibcntl may hold a failure marking or a count beyond the buffer.
    const long long n = static_cast<long long>(ibcntl) - lineEnd;
    if (n <= 0)
        return {};
    return GpibReadBuffer.substr(0, static_cast<std::size_t>(std::min<long long>(n, GpibReadBuffer.size())));
}

void NiGlobal::resetDeviceTables()
{
    for (DeviceTable* t : {&DvmDevices, &ViDevices, &AuxPsDevices, &SwitchDevices, &CounterDevices})
        t->fill(kNotOpened);
}

}  // namespace gpib
