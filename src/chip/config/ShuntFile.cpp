// The shunt resistance VCELL(21), kept in "Current_Sense.txt" in the program folder.
#include <charconv>
#include <cmath>

#include "chip/KVN58C3_Main.h"
#include "vb/Strings.h"

namespace chip {

namespace {

constexpr const char* kShuntFile = "Current_Sense.txt";
constexpr const char* kShuntPrefix = "Shunt Value: ";
constexpr const char* kDefaultShunt = "1.0";

// The whole text (blanks around ignored) reads as a finite decimal number.
bool isNumber(const std::string& text)
{
    const std::string t = vb::Trim(text);
    if (t.empty())
        return false;
    const char* first = t.data();
    if (*first == '+')
        ++first;
    double v = 0;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
    return ec == std::errc() && end == t.data() + t.size() && std::isfinite(v);
}

}  // namespace

void KVN58C3_Main::loadShuntValue()
{
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
    VCELL[21].Text = isNumber(value) ? vb::Trim(value) : std::string(kDefaultShunt);
}

void KVN58C3_Main::cmdISetup_Click()
{
    const std::string value = vb::Trim(VCELL[21].Text.get());
    // Keep the saved value rather than overwrite it with text the next load would refuse.
    if (!isNumber(value)) {
        p.rt().MsgBox("The shunt value \"" + VCELL[21].Text.get() + "\" is not a number (milliohms).",
            ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    ui::FileTable& files = p.rt().files();
    const int n = files.FreeFile();
    if (!files.Open(n, p.appFile(kShuntFile), ui::OpenMode::Output)) {
        p.rt().MsgBox("Cannot write " + p.appFile(kShuntFile), ui::vbOKOnly | ui::vbExclamation);
        return;
    }
    files.Print(n, kShuntPrefix + value);
    files.Close(n);
}

}  // namespace chip
