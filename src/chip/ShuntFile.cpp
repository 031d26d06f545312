// The shunt resistance (the shunt reading box), kept in "Current_Sense.txt" in the program folder.
#include "chip/FormParts.h"
#include "chip/KVN58C3_Main.h"
#include "chip/ReadingBoxes.h"
#include "chip/ScanFormulas.h"
#include "vb/Numbers.h"
#include "vb/Strings.h"

namespace chip {

namespace {

constexpr const char* kShuntFile = "Current_Sense.txt";
constexpr const char* kShuntPrefix = "Shunt Value: ";
constexpr const char* kDefaultShunt = "1.0";

// The same test as the scan's current uses, so a value the file gives or the
// button saves is always a shunt the scan takes.
bool isShunt(const std::string& text) { return shuntMilliohms(text).has_value(); }

}  // namespace

void layOutShuntFile(KVN58C3_Main& f)
{
    f.VCELL[reading::kShunt].ToolTipText = "Shunt resistance in milliohms";
    // Right of the shunt box, the third row of the readings' current column.
    ui::place(f.cmdISetup, {f.SSTab1, kPageReadings}, {574, 59, 76, 24}, "Save Shunt",
        "Save the shunt value to Current_Sense.txt", [&f] { f.cmdISetup_Click(); });
}

void loadShuntValue(KVN58C3_Main& f)
{
    Program& p = f.program();
    if (!p.FileExistsInAppPath(kShuntFile))
        return;
    ui::FileTable& files = p.rt().files();
    const int n = files.FreeFile();
    std::string line;
    if (files.Open(n, p.appFile(kShuntFile), ui::OpenMode::Input)) {
        if (!files.LineInput(n, line))
            line.clear();
        files.Close(n);
    }
    const long long colon = vb::InStr(line, ":");
    const std::string value = colon > 0 ? vb::Mid(line, colon + 1) : std::string();
    f.VCELL[reading::kShunt].Text = isShunt(value) ? vb::Trim(value) : std::string(kDefaultShunt);
}

void KVN58C3_Main::cmdISetup_Click()
{
    const std::string value = vb::Trim(VCELL[reading::kShunt].Text.get());
    // Keep the saved value rather than overwrite it with text the next load would refuse.
    if (!isShunt(value)) {
        p.rt().MsgBox("The shunt value \"" + VCELL[reading::kShunt].Text.get() +
                "\" is not a shunt in milliohms (a number of at least 0.001).",
            ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    ui::FileTable& files = p.rt().files();
    const int n = files.FreeFile();
    const bool saved =
        files.Open(n, p.appFile(kShuntFile), ui::OpenMode::Output) && files.Print(n, kShuntPrefix + value);
    files.Close(n);
    if (!saved)
        p.rt().fileFailed("Shunt value not saved");
}

}  // namespace chip
