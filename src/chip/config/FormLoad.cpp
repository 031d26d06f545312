// Load of the chip main form: names, shunt value, I2C on.
#include "chip/KVN58C3_Main.h"
#include "chip/config/RegisterNames.h"

namespace chip {

void KVN58C3_Main::Form_Load()
{
    Caption = p.BoardTitle.empty() ? std::string("KVN58C3 Evaluation Board") : p.BoardTitle;
    for (int i = 0; i < kRegNameCount; ++i)
        RegName[i].Caption = registerName(i);
    loadShuntValue();
    mnuEnableI2C_Click();
    loadMonitorSide();
}

}  // namespace chip
