#include "bridge/frmMainF340.h"

#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "ui/Placement.h"

namespace bridge {

namespace {
constexpr std::uint8_t kAllPins = 0xFF;  // the panel sets every pin of a port
}  // namespace

frmMainF340::frmMainF340(Program& program) : ProgramForm(program, "frmMainF340")
{
    Caption = "C8051F340 USB Bridge";
    Width = 420;
    Height = 320;

    ui::place(FrConnection, {}, {8, 6, 404, 96}, "USB Connection");
    // Two lines: room for why a board that was found cannot be opened.
    ui::place(FrConnection,
        {
            {lblStatus, {10, 20, 384, 40}},
            {cmdFirmware, {10, 64, 130, 26}, "Firmware Version"},
            {lblFirmware, {150, 68, 244, 20}},
        });
    cmdFirmware.Click = [this] { cmdFirmware_Click(); };

    ui::place(FrXbar, {}, {8, 108, 404, 56}, "Crossbar (SFR 0xE1)");
    for (int i = 0; i < 2; ++i)
        ui::place(cmdEnableXBAR.add(i), FrXbar, ui::Rect{10, 20, 104, 26}.moved(i * 110, 0),
            i == 0 ? "Crossbar On" : "Crossbar Off", {}, [this, i] { cmdEnableXBAR_Click(i); });
    ui::place(lblXbar, FrXbar, {240, 24, 150, 20}, "Off");

    ui::place(FrPorts, {}, {8, 170, 404, 142}, "Port Pins (ticked = high)");
    for (int port = 0; port < 3; ++port) {
        ui::place(lblPort.add(port), FrPorts, ui::Rect{10, 22, 24, 20}.moved(0, port * 28), "P" + std::to_string(port));
        for (int bit = 0; bit < 8; ++bit) {
            // Bit 7 on the left, as a port's bits are written.
            auto& box = ui::place(chkPortPin.add(port * 8 + bit), FrPorts,
                ui::Rect{38, 20, 40, 22}.moved((7 - bit) * 44, port * 28), std::to_string(bit));
            box.Value = 1;
        }
    }
    ui::place(cmdWritePorts, FrPorts, {10, 106, 104, 26}, "Write Ports", {}, [this] { cmdWritePorts_Click(); });
}

void frmMainF340::Form_Load()
{
    usb::UsbLink& link = p.link();
    // Cancel in any link box ends the program through this form's unload.
    link.onCancel = [this] {
        if (loaded())
            Unload();
        p.rt().End();
    };
    link.OpenBoard();
    showConnection();
}

void frmMainF340::showConnection()
{
    const usb::UsbLink& link = p.link();
    if (link.UsbConnected)
        lblStatus.Caption = "Connected to " + link.ConnectedBoard();
    else if (!link.OpenProblem().empty())
        lblStatus.Caption = link.OpenProblem();
    else
        lblStatus.Caption = "USB Device not connected";
}

void frmMainF340::cmdEnableXBAR_Click(int Index)
{
    const bool on = Index == 0;
    if (p.link().SfrWrite(bridgereg::kSfrCrossbar, on ? bridgereg::kCrossbarOn : bridgereg::kCrossbarOff) !=
        usb::kStatusAck) {
        // The crossbar kept its state: say so rather than pretend it switched.
        lblXbar.Caption = "Not switched";
        return;
    }
    p.XbarEnabled = on;
    lblXbar.Caption = on ? "On" : "Off";
}

void frmMainF340::cmdFirmware_Click()
{
    std::string version;
    lblFirmware.Caption = p.link().FirmwareVersion(version) == usb::kStatusAck ? version : std::string("No answer");
}

void frmMainF340::cmdWritePorts_Click()
{
    for (int port = 0; port < kPortPinCount / 8; ++port) {
        std::uint8_t value = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (chkPortPin[port * 8 + bit].Value == 1)
                value = static_cast<std::uint8_t>(value | (1U << bit));
        p.link().PortWrite(port, kAllPins, value);
    }
}

void frmMainF340::Form_Unload(int& /*Cancel*/)
{
    // The chip form's unload switches I2C off, closes the handles and ends.
    if (p.hasForm<chip::KVN58C3_Main>())
        p.form<chip::KVN58C3_Main>().Unload();
    p.link().CloseHidHandles();
    p.rt().End();
}

}  // namespace bridge
