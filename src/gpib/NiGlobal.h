#pragma once
// The state the GPIB layer and the instrument handlers share.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "gpib/GpibLibrary.h"

namespace gpib {

inline constexpr std::int16_t kNotOpened = -5;
inline constexpr std::size_t kReadBufferLength = 1024;
inline constexpr std::size_t kErrTextLength = 100;

using DeviceTable = std::array<std::int16_t, 21>;

// A fixed-length text: longer texts are cut, shorter ones padded with blanks.
std::string fixedLength(std::string_view text, std::size_t length);

struct NiGlobal {
    std::int16_t ibsta = 0;
    std::int16_t iberr = 0;
    std::int16_t ibcnt = 0;
    std::int32_t ibcntl = 0;
    std::int32_t LongIbsta = 0;
    std::int32_t LongIberr = 0;
    std::int32_t LongIbcnt = 0;
    std::int16_t GpibGlobalsRegistered = 0;

    // Unit descriptors per instrument kind; kNotOpened until the unit is opened.
    DeviceTable DvmDevices = filledTable();
    DeviceTable ViDevices = filledTable();
    DeviceTable AuxPsDevices = filledTable();
    DeviceTable SwitchDevices = filledTable();
    DeviceTable CounterDevices = filledTable();

    std::int16_t DvmAddress = 0;
    std::int16_t ViAddress = 0;
    std::int16_t AuxPsAddress = 0;
    std::int16_t SwitchAddress = 0;
    std::int16_t CounterAddress = 0;

    std::int16_t CurrentDevice = 0;

    // Target of every read of the instrument form; never cleared, so bytes past
    // the last reply keep what earlier replies left.
    std::string GpibReadBuffer = std::string(kReadBufferLength, '\0');
    // Message buffer of the error boxes.
    std::string GpibErrText = std::string(kErrTextLength, '\0');

    // The error test after each call: ERR in ibsta.
    bool failed() const { return (static_cast<std::uint16_t>(ibsta) & ERR) != 0; }
    // END in ibsta: the last read took the last byte of the unit's message.
    bool ended() const { return (static_cast<std::uint16_t>(ibsta) & END) != 0; }

    void setGpibErrText(std::string_view text) { GpibErrText = fixedLength(text, kErrTextLength); }

    // The reply of the last read: the bytes received less the unit's line end
    // (lineEnd characters). Empty when fewer arrived, never past the buffer.
    std::string reply(int lineEnd) const;

    void resetDeviceTables();

private:
    static DeviceTable filledTable()
    {
        DeviceTable t;
        t.fill(kNotOpened);
        return t;
    }
};

}  // namespace gpib
