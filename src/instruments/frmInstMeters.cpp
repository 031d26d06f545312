// The nine meter panels: one set-up for DC volts, AC volts or ohms built from
// a function code, the range and the digits, and a reading shown with its unit.
#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"
#include "vb/Format.h"
#include "vb/Numbers.h"

namespace instruments {

// What a row of set-up buttons differs in.
struct frmInst::MeterFunction {
    const char* code;
    ui::ControlArray<ui::TextBox> frmInst::*range;
    ui::ControlArray<ui::TextBox> frmInst::*digits;
    ui::ControlArray<ui::Shape> frmInst::*indicator;
    const char* unit;
};

const frmInst::MeterFunction frmInst::kDcVolts = {
    "F1T1R", &frmInst::txtDCRange, &frmInst::txtDCDigits, &frmInst::ShpDVMDCMode, " DCV"};
const frmInst::MeterFunction frmInst::kAcVolts = {
    "F2T1R", &frmInst::txtACRange, &frmInst::txtACDigits, &frmInst::ShpDVMACMode, " ACV"};
const frmInst::MeterFunction frmInst::kOhms = {
    "F3T1R", &frmInst::txtOhmRange, &frmInst::txtOhmDigits, &frmInst::ShpDVMOhmMode, " Ohms"};

void frmInst::connectMeters()
{
    cmdDVMSetDC.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdDVMSetDC_Click(i); }; });
    cmdDVMSetAC.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdDVMSetAC_Click(i); }; });
    cmdDVMSetOhm.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdDVMSetOhm_Click(i); }; });
    cmdDVMGetMeas.forEach([this](int i, ui::CommandButton& b) { b.Click = [this, i] { cmdDVMGetMeas_Click(i); }; });
}

void frmInst::cmdDVMSetDC_Click(int i) { setUpMeter(i, kDcVolts); }
void frmInst::cmdDVMSetAC_Click(int i) { setUpMeter(i, kAcVolts); }
void frmInst::cmdDVMSetOhm_Click(int i) { setUpMeter(i, kOhms); }

void frmInst::setUpMeter(int i, const MeterFunction& fn)
{
    gpib::NiGlobal& g = p.gpib().g;
    g.DvmAddress = unitAddress(txtDVMAddress[i]);
    selectUnit(g.DvmDevices[static_cast<std::size_t>(i)], g.DvmAddress, "Unable to open dvm device");

    for (auto* indicator : {&ShpDVMDCMode, &ShpDVMACMode, &ShpDVMOhmMode})
        (*indicator)[i].FillColor = vb::kBlack;
    (this->*fn.indicator)[i].FillColor = vb::kRed;

    const std::string command = fn.code + (this->*fn.range)[i].Text.get() + "N" + (this->*fn.digits)[i].Text.get();
    lblDVMControlString[i].Caption = command;
    meters.DvmUnits[static_cast<std::size_t>(i)] = fn.unit;
    writeCommand(command);
    lblDVMReading[i].Caption = "";
}

void frmInst::cmdDVMGetMeas_Click(int i)
{
    gpib::NiGlobal& g = p.gpib().g;
    const std::int16_t unit = g.DvmDevices[static_cast<std::size_t>(i)];
    if (unit == gpib::kNotOpened) {
        p.rt().MsgBox("DVM has not been initialized # " + vb::Str(i) + "Click on set Mode before making a measurement",
            ui::vbOKOnly);
        return;
    }
    // The meter's own unit; CurrentDevice stays what it was.
    const double reading = vb::Val(readReply(unit, kCrLf));
    meters.DvmReadings[static_cast<std::size_t>(i)] = reading;
    lblDVMReading[i].Caption = vb::WithSymbols(vb::Format(reading, "#,###,###.000######"), p.rt().UserNumberSymbols()) +
        meters.DvmUnits[static_cast<std::size_t>(i)];
}

}  // namespace instruments
