#include "instruments/Test.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "gpib/GpibErrors.h"
#include "gpib/Vbib32.h"
#include "ui/Placement.h"
#include "vb/Numbers.h"

namespace instruments {

namespace {

constexpr std::int16_t kBoard = 0;
constexpr int kSearchListLength = 32;
constexpr int kResultListLength = 31;
constexpr std::size_t kReplyLength = 50;

}  // namespace

std::string gpibStatusText(std::int16_t ibsta)
{
    static constexpr std::array<std::pair<int, const char*>, 14> kBits = {{
        {gpib::ERR, "ERR"},
        {gpib::TIMO, "TIMO"},
        {gpib::END, "END"},
        {gpib::SRQI, "SRQI"},
        {gpib::RQS, "RQS"},
        {gpib::CMPL, "CMPL"},
        {gpib::LOK, "LOK"},
        {gpib::REM, "REM"},
        {gpib::CIC, "CIC"},
        {gpib::ATN, "ATN"},
        {gpib::TACS, "TACS"},
        {gpib::LACS, "LACS"},
        {gpib::DTAS, "DTAS"},
        {gpib::DCAS, "DCAS"},
    }};
    std::string s = "\r\nibsta = &H" + gpib::statusHex(ibsta) + " <";
    const auto bits = static_cast<std::uint16_t>(ibsta);
    for (const auto& [mask, name] : kBits)
        if (bits & mask)
            s += std::string(" ") + name;
    return s + ">";
}

std::string gpibErrorText(std::int16_t ibsta, std::int16_t iberr)
{
    std::string s = "\r\n";
    if (!(static_cast<std::uint16_t>(ibsta) & gpib::ERR))
        return s + "iberr = " + vb::Str(static_cast<int>(iberr));
    const auto& codes = gpib::gpibErrorCodes();
    if (iberr < 0 || iberr >= static_cast<int>(codes.size()))
        return s;
    const gpib::GpibErrorCode& code = codes[static_cast<std::size_t>(iberr)];
    if (code.description.empty())
        return s;
    return s + "iberr = " + std::string(code.name) + " <" + std::string(code.description) + ">";
}

std::string gpibCountText(std::int16_t ibcnt) { return "\r\nibcnt = 0x" + gpib::statusHex(ibcnt); }

Test::Test(Program& program) : ProgramForm(program, "Test")
{
    Caption = "488.2 Query";
    Width = 560;
    Height = 400;
    ui::place({},
        {
            {Label1, {10, 10, 120, 20}, "Readings"},
            {ReadingsList, {10, 32, 540, 290}},
            {RunRepeat, {10, 335, 100, 30}, "Run"},
            {QuitButton, {120, 335, 100, 30}, "Quit"},
            {Info, {230, 335, 100, 30}, "Info"},
            {Label2, {350, 340, 120, 20}, "STOPPED"},
        });

    RunRepeat.Click = [this] { RunRepeat_Click(); };
    QuitButton.Click = [this] { QuitButton_Click(); };
    Info.Click = [this] { Info_Click(); };
}

void Test::Form_Load()
{
    // The next call registers the status variables again.
    p.gpib().g.GpibGlobalsRegistered = 0;
    ClearReadings();
}

void Test::RunRepeat_Click()
{
    ClearReadings();
    RunListenerQuery();
}

void Test::QuitButton_Click() { p.rt().End(); }

void Test::Info_Click()
{
    p.rt().MsgBox("This form queries a device using the '*IDN?' command to read back the identification code.",
        ui::vbInformation | ui::vbOKOnly);
}

void Test::ClearReadings()
{
    while (ReadingsList.ListCount() > 0)
        ReadingsList.RemoveItem(0);
    ReadingsList.Refresh();
}

void Test::RunListenerQuery()
{
    gpib::Vbib32& gpib = p.gpib();

    QuitButton.Enabled = false;
    gpib.SendIFC(kBoard);
    if (gpib.g.failed())
        GpibQuit("Error sending IFC.");

    gpib::AddressList search(kSearchListLength, 0);
    for (int k = 0; k < 30; ++k)
        search[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k + 1);
    search[30] = gpib::NOADDR;

    ui::Runtime& rt = p.rt();
    rt.setScreenMousePointer(ui::vbHourglass);
    ReadingsList.AddItem("Finding all listeners on the bus...");
    ReadingsList.Refresh();

    std::vector<std::int16_t> results(kResultListLength, 0);
    gpib.FindLstn(kBoard, search, results, kResultListLength);
    if (gpib.g.failed()) {
        rt.setScreenMousePointer(ui::vbDefault);
        GpibQuit("Error finding all listeners.");
    }
    rt.setScreenMousePointer(ui::vbDefault);

    // The count of a library that reports more than the list holds is cut to the list.
    const int found = std::clamp<int>(gpib.g.ibcnt, 0, kResultListLength - 1);
    ReadingsList.AddItem("Number of instruments found = " + vb::Str(static_cast<int>(gpib.g.ibcnt)));
    ReadingsList.AddItem("");
    results[static_cast<std::size_t>(std::clamp<std::int32_t>(gpib.g.ibcntl, 0, kResultListLength - 1))] = gpib::NOADDR;

    gpib.DevClearList(kBoard, results);
    if (gpib.g.failed())
        GpibQuit("Error in clearing the devices. ");
    gpib.SendList(kBoard, results, "*IDN?", gpib::NLend);
    if (gpib.g.failed())
        GpibQuit("Error sending '*IDN?'. ");

    for (int k = 0; k < found; ++k) {
        std::string reply(kReplyLength, ' ');
        gpib.Receive(kBoard, results[static_cast<std::size_t>(k)], reply, gpib::STOPend);
        if (gpib.g.failed())
            GpibQuit("Error in receiving response to '*IDN?'. ");
        ReadingsList.AddItem(vb::Str(k + 1) + " " + reply);
        ReadingsList.Refresh();
    }

    gpib.ibonl(kBoard, 0);
    if (gpib.g.failed())
        GpibQuit("Error putting board offline.");
    QuitButton.Enabled = true;
}

void Test::GpibQuit(std::string_view text)
{
    gpib::Vbib32& gpib = p.gpib();
    const std::string msg = std::string(text) + gpibStatusText(gpib.g.ibsta) +
        gpibErrorText(gpib.g.ibsta, gpib.g.iberr) + gpibCountText(gpib.g.ibcnt) + "\r\rI'm quitting!";
    p.rt().MsgBox(msg, ui::vbExclamation | ui::vbOKOnly, "Error");
    gpib.ibonl(kBoard, 0);
    p.rt().End();
}

}  // namespace instruments
