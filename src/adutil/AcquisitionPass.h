#pragma once
// One acquisition run's own state, carried from step to step and pass to
// pass: the 14-bit run (the monitor's on-demand conversion) and the 12-bit run
// (the result pair the chip's own scan keeps) share it and the steps of the
// pass that record, plot, time and end.
#include <array>
#include <cstdint>

#include "adutil/frmADUtil.h"

namespace adutil {

enum class Resolution { Bits12, Bits14 };

struct frmADUtil::Sample {
    explicit Sample(Resolution r) : bits(r) {}
    bool twelveBit() const { return bits == Resolution::Bits12; }

    Resolution bits;
    int gain = 0;
    long code = 0;
    double reading = 0;
    std::uint32_t passStart = 0;  // ms clock at the start of this pass
    std::uint32_t nextPass = 0;  // 12-bit: a pass starts no earlier
    long counter = 1;
    int firstRegister = 0;  // 12-bit: low byte of the channel's result pair
    // 12-bit: the read buffer; a failed read leaves the previous pass's bytes.
    std::array<std::uint8_t, 2> bytes{};
};

}  // namespace adutil
