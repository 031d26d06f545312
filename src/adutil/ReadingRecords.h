#pragma once
// The readings of the last run: the first 1000, then the latest in the last
// record. Records are numbered from 1; the measurement file reads them.
#include <array>
#include <string>

namespace adutil {

struct ReadingRecords {
    static constexpr int kRecords = 1000;
    // Slots a run clears at its start (0 to 1010); the arrays end at 1100.
    static constexpr int kClearedSlots = 1011;
    static constexpr int kSlots = 1101;

    int ReadingCount = 0;  // 0 to 1000
    std::array<double, kSlots> CalcMvArray{};
    std::array<double, kSlots> RawCodeArray{};
    std::array<std::string, kSlots> ReadingTimeText;

    void clearForRun()
    {
        ReadingCount = 0;
        for (int i = 0; i < kClearedSlots; ++i) {
            CalcMvArray[static_cast<std::size_t>(i)] = 1.0;
            RawCodeArray[static_cast<std::size_t>(i)] = 1.0;
            ReadingTimeText[static_cast<std::size_t>(i)].clear();
        }
    }
    // The record the next reading goes to: the next one, or the last once all are taken.
    int nextRecord() const { return ReadingCount < kRecords ? ReadingCount + 1 : kRecords; }
    void store(double reading, double code)
    {
        const auto r = static_cast<std::size_t>(nextRecord());
        CalcMvArray[r] = reading;
        RawCodeArray[r] = code;
    }
    void countReading()
    {
        if (ReadingCount < kRecords)
            ++ReadingCount;
    }
};

}  // namespace adutil
