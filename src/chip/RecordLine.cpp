#include "chip/RecordLine.h"

#include "ui/Files.h"

namespace chip {

const std::array<std::string_view, kRecordFields>& recordHeaderFields()
{
    static const std::array<std::string_view, kRecordFields> fields = {
        "Date         Time",
        "VCMin",
        "VCMax",
        "PackI",
        " VC1",
        " VC2",
        " VC3",
        " VC4",
        " VC5",
        " VC6",
        " VC7",
        " VC8",
        " iT",
        "xT1",
        " xT2",
        "PCFET",
        "CFET",
        "DFET",
        "OV",
        "OVLO",
        "UV",
        "UVLO",
        "DOT",
        "DUT",
        "COT",
        "CUT",
        "IOT",
        "COC",
        "DOC",
        "DSC",
        "CF",
        "OPEN",
        "",
        "EOCH",
        "LDPR",
        "CHPR",
        "CHNG",
        "DSCG",
        "",
        "",
        "",
        "LVCH",
        "CBOT",
        "CBUT",
        "CBOV",
        "CBUV",
        "IDLE",
        "DOZE",
        "SLP",
    };
    return fields;
}

std::string recordHeader()
{
    const auto& fields = recordHeaderFields();
    std::string line(fields[0]);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        line += '\t';
        line += fields[i];
    }
    return line;
}

std::string recordLine(const RecordSnapshot& s)
{
    // A reading box holds whatever was typed into it last: never a TAB or line break in the file.
    std::string line = ui::fieldText(s.dateTime, '\t');
    line.reserve(line.size() + kRecordedReadings * 8 + (3 + kRecordedIndicators) * 2);
    for (std::string_view r : s.readings) {
        line += '\t';
        line += ui::fieldText(r, '\t');
    }
    for (vb::Color c : s.fets) {
        line += '\t';
        line += c == vb::kGreen ? '1' : '0';
    }
    // Red or green both mean the bit is set.
    for (vb::Color c : s.indicators) {
        line += '\t';
        line += (c == vb::kRed || c == vb::kGreen) ? '1' : '0';
    }
    return line;
}

}  // namespace chip
