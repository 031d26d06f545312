// Register reads through the link on a zero-latency simulated board (software time only).
#include <benchmark/benchmark.h>

#include <memory>

#include "link/UsbLink.h"
#include "sim/EvalBoard.h"
#include "sim/SimTransport.h"
#include "support/HeadlessRuntime.h"

namespace {

struct BenchLink {
    ui::HeadlessRuntime rt;
    sim::EvalBoard board{1};
    usb::UsbLink link{rt,
        std::make_unique<sim::SimTransport>(
            board, [this](int ms) { rt.Sleep(ms); }, [this] { return rt.timeGetTime(); })};

    BenchLink()
    {
        board.bridge().setSfr(bridgereg::kSfrCrossbar, 0x06);
        link.OpenBoard();
    }

    void run(benchmark::State& state, std::uint8_t reg, std::uint8_t count)
    {
        std::uint8_t address = 0x50, writeCount = 1;
        std::uint8_t buffer[usb::bridge::kMaxI2cReadCount] = {};
        for (auto _ : state) {
            if (link.I2cReadRetry(address, count, writeCount, buffer, &reg, 1) != usb::kStatusAck)
                state.SkipWithError("transfer failed");
            benchmark::DoNotOptimize(buffer);
        }
    }
};

void BM_LinkRegisterRead(benchmark::State& state) { BenchLink().run(state, 0x90, 1); }
// The scan's largest transfer: 22 registers in one report.
void BM_LinkBlockRead22(benchmark::State& state) { BenchLink().run(state, 0x80, 22); }

}  // namespace

BENCHMARK(BM_LinkRegisterRead);
BENCHMARK(BM_LinkBlockRead22);
