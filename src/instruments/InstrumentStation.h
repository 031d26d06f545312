#pragma once
// The start-up's part of the instrument station.

class Program;

namespace instruments {

// Marks every unit of the five device tables as not opened.
void resetGpibDeviceTables(Program& p);

// With the station's marker file present: loads the instrument form from the
// default instrument file in the program folder and shows it with the bridge panel.
void startInstrumentStation(Program& p);

}  // namespace instruments
