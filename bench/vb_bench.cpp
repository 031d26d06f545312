#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "vb/Format.h"
#include "vb/Numbers.h"

namespace {

void BM_Format(benchmark::State& state, std::string_view pattern)
{
    const std::array<double, 4> values = {3.61527, -0.0512, 1234.5678, 26000.125};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vb::Format(values[i++ & 3], pattern));
    }
}
BENCHMARK_CAPTURE(BM_Format, short, std::string_view("##0.000"));
BENCHMARK_CAPTURE(BM_Format, optional, std::string_view("#,###,###.000######"));
BENCHMARK_CAPTURE(BM_Format, grouped, std::string_view(" #,##0.00000"));

void BM_Val(benchmark::State& state, std::string_view text)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(vb::Val(text));
    }
}
BENCHMARK_CAPTURE(BM_Val, reading, std::string_view(" 3.615"));
BENCHMARK_CAPTURE(BM_Val, exponent, std::string_view("-1.5E2xyz"));
BENCHMARK_CAPTURE(BM_Val, hex, std::string_view("&H3FFF"));

void BM_Str(benchmark::State& state)
{
    double v = 3.2154;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vb::Str(v));
        v += 0.001;
    }
}
BENCHMARK(BM_Str);

}  // namespace
