#pragma once
// What the concern files of the chip main form offer each other: the layout
// of each concern's controls (the constructor calls them in order), its load
// step, and the few helpers one concern uses of another. Not for other forms.
#include <optional>
#include <string>

#include "chip/Thermistor.h"
#include "ui/Placement.h"

namespace chip {

class KVN58C3_Main;

// Left edge of the right-hand column of the readings page (indicators, FETs, scan buttons).
inline constexpr int kReadingsRightX = 660;
// The two columns of frames on the control and demonstration pages.
inline constexpr int kControlLeftX = 10;
inline constexpr int kControlRightX = 500;
inline constexpr int kControlFrameWidth = 478;

// Layout: placement, captions, tool tips and event wiring of each concern's controls.
void layOutMenus(KVN58C3_Main& f);  // Menus.cpp
void layOutRegisterMap(KVN58C3_Main& f);  // RegisterAccess.cpp
void layOutMemoryModes(KVN58C3_Main& f);  // MemoryModes.cpp
void layOutRegisterBlocks(KVN58C3_Main& f);  // RegisterBlocks.cpp
void layOutAutoScan(KVN58C3_Main& f);  // AutoScan.cpp
void layOutReadings(KVN58C3_Main& f);  // MeasurementScan.cpp
void layOutShuntFile(KVN58C3_Main& f);  // ShuntFile.cpp
void layOutThermistorTable(KVN58C3_Main& f);  // ThermistorTable.cpp
void layOutStatusIndicators(KVN58C3_Main& f);  // StatusIndicators.cpp
void layOutControlBits(KVN58C3_Main& f);  // ControlBits.cpp
void layOutAnalogMonitor(KVN58C3_Main& f);  // AnalogMonitor.cpp
void layOutDataCollection(KVN58C3_Main& f);  // DataCollection.cpp
void layOutForcing(KVN58C3_Main& f);  // Forcing.cpp
void layOutFets(KVN58C3_Main& f);  // Fets.cpp
void layOutPowerModes(KVN58C3_Main& f);  // PowerModes.cpp
void layOutRecordLog(KVN58C3_Main& f);  // RecordLog.cpp

// Load steps, in the order Form_Load runs them.
void loadRegisterNames(KVN58C3_Main& f);  // RegisterAccess.cpp
void loadShuntValue(KVN58C3_Main& f);  // ShuntFile.cpp
void loadAutoScan(KVN58C3_Main& f);  // AutoScan.cpp

// MemoryModes.cpp: the four mode buttons to button face, then configuration
// RAM selected (cbEnableRAM), as the scan and the control handlers begin.
void selectConfigRam(KVN58C3_Main& f);

// StatusIndicators.cpp: the indicators of 0x80 to 0x83 and the FET buttons
// from the register image.
void paintStatusIndicators(KVN58C3_Main& f);
void paintFets(KVN58C3_Main& f);

// RecordLog.cpp: one record line of the readings and indicators on show.
void writeRecordLine(KVN58C3_Main& f);
// RecordLog.cpp: prints a line to a numbered file the form writes (the log,
// the sample files). A line that cannot be written (disk full, device gone)
// closes the file, which keeps its whole lines, and says so in a box:
// "<what> stopped: cannot write to <file>" and the system's reason. False then.
bool printOrStop(KVN58C3_Main& f, int fileNumber, const std::string& line, const std::string& what);

// ThermistorTable.cpp: the form's table as numbers; nullopt when an entry is no number.
// Parsed again only after one of its boxes changed.
const std::optional<ThermistorTable>& thermistorTable(const KVN58C3_Main& f);

}  // namespace chip
