// The chip main form: its construction from the concerns' layouts, its load,
// and the wait the handlers share.
#include "chip/KVN58C3_Main.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chip/FormParts.h"

namespace chip {

KVN58C3_Main::KVN58C3_Main(Program& program) : ProgramForm(program, "KVN58C3_Main")
{
    Caption = "KVN58C3 Evaluation";
    Width = 1010;
    Height = 600;
    SSTab1.setTabs({"Config 00-4F", "User 50-7F", "Status/Results 80-AF", "Test B0-C5", "Readings", "Thermistor Table",
        "uC Control", "Demo"});
    ui::place(SSTab1, {}, {6, 98, 998, 496});

    layOutMenus(*this);
    layOutRegisterMap(*this);
    layOutMemoryModes(*this);
    layOutRegisterBlocks(*this);
    layOutAutoScan(*this);
    layOutReadings(*this);
    layOutShuntFile(*this);
    layOutControlBits(*this);
    layOutAnalogMonitor(*this);
    layOutDataCollection(*this);
    layOutForcing(*this);
    layOutFets(*this);
    layOutPowerModes(*this);
    layOutThermistorTable(*this);
    layOutStatusIndicators(*this);
    layOutRecordLog(*this);

    // Monitoring is what the bench engineer watches; open on it.
    SSTab1.Tab = kPageReadings;
}

KVN58C3_Main::~KVN58C3_Main() = default;

void KVN58C3_Main::Form_Load()
{
    Caption = p.BoardTitle.empty() ? std::string("KVN58C3 Evaluation Board") : p.BoardTitle;
    loadRegisterNames(*this);
    loadShuntValue(*this);
    mnuEnableI2C_Click();
    loadAutoScan(*this);
}

void KVN58C3_Main::Wait_Time(double seconds)
{
    constexpr double kDay = 86400.0;
    const double start = p.rt().Timer();
    for (;;) {
        double elapsed = p.rt().Timer() - start;
        if (elapsed < 0)
            elapsed += kDay;  // the wait went past midnight
        if (elapsed >= seconds)
            return;
        // Blocks until the rest is up or an event comes, not spinning meanwhile.
        const double leftMs = std::min(std::ceil((seconds - elapsed) * 1000.0), kDay * 1000.0);
        p.rt().DoEventsUntil(p.rt().timeGetTime() + static_cast<std::uint32_t>(leftMs));
    }
}

}  // namespace chip
