// The thermistor table page: volts for -40 to 125 degrees C in 5-degree
// steps, which the scan's external temperatures are looked up in.
#include <array>

#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "vb/Numbers.h"

namespace chip {

namespace {

// A 10 kOhm NTC (B 3435) under 10 kOhm from 0.8 V, -40 to 125 degrees C.
constexpr std::array<const char*, kThermistorPoints> kThermistorVolts = {
    "0.7690",
    "0.7584",
    "0.7450",
    "0.7285",
    "0.7086",
    "0.6851",
    "0.6579",
    "0.6272",
    "0.5933",
    "0.5568",
    "0.5184",
    "0.4789",
    "0.4392",
    "0.4000",
    "0.3621",
    "0.3261",
    "0.2923",
    "0.2612",
    "0.2327",
    "0.2069",
    "0.1837",
    "0.1630",
    "0.1447",
    "0.1284",
    "0.1140",
    "0.1014",
    "0.0903",
    "0.0805",
    "0.0719",
    "0.0643",
    "0.0576",
    "0.0517",
    "0.0466",
    "0.0420",
};

}  // namespace

void layOutThermistorTable(KVN58C3_Main& f)
{
    // Two columns of seventeen: temperature, then its volts.
    const ui::In page{f.SSTab1, kPageThermistor};
    for (int i = 0; i < static_cast<int>(kThermistorVolts.size()); ++i) {
        const ui::Rect temp = ui::inColumns({10, 10, 50, 21}, i, 17, 200, 24);
        ui::place(f.ArrayTemp.add(i), page, temp).Text = vb::CStr(-40 + 5 * i);
        ui::place(f.ArrayVolts.add(i), page, {temp.x + 56, temp.y, 70, 21}).Text =
            kThermistorVolts[static_cast<std::size_t>(i)];
    }
}

const std::optional<ThermistorTable>& thermistorTable(const KVN58C3_Main& f)
{
    ThermistorTableCache& cache = f.thermistorCache;
    if (cache.boxes.empty()) {
        for (int i = 0; i < kThermistorPoints; ++i)
            cache.boxes.push_back(&f.ArrayVolts[i]);
        for (int i = 0; i < kThermistorPoints; ++i)
            cache.boxes.push_back(&f.ArrayTemp[i]);
    } else {
        // Revisions only grow: the same sum means no box changed.
        unsigned long long revisions = 0;
        for (const ui::TextBox* box : cache.boxes)
            revisions += box->revision();
        if (revisions == cache.revisions)
            return cache.table;
    }
    cache.revisions = 0;
    for (const ui::TextBox* box : cache.boxes)
        cache.revisions += box->revision();
    cache.table.reset();
    ThermistorTable table;
    for (int i = 0; i < kThermistorPoints; ++i) {
        const auto v = vb::NumberOf(cache.boxes[static_cast<std::size_t>(i)]->Text.get());
        const auto t = vb::NumberOf(cache.boxes[static_cast<std::size_t>(kThermistorPoints + i)]->Text.get());
        if (!v || !t)
            return cache.table;
        table.volts[static_cast<std::size_t>(i)] = *v;
        table.temps[static_cast<std::size_t>(i)] = *t;
    }
    cache.table = table;
    return cache.table;
}

}  // namespace chip
