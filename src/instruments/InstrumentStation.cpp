#include "instruments/InstrumentStation.h"

#include "bridge/frmMainF340.h"
#include "gpib/Vbib32.h"
#include "instruments/frmInst.h"
#include "program/Program.h"

namespace instruments {

void resetGpibDeviceTables(Program& p) { p.gpib().g.resetDeviceTables(); }

void startInstrumentStation(Program& p)
{
    p.InstrumentsLoaded = true;
    frmInst& form = p.form<instruments::frmInst>();
    form.cdldialog.FileName = p.appFile("Instruments_Default.CSV");
    form.Read_Instrument_FIle();
    form.Show();
    p.form<bridge::frmMainF340>().Show();
}

}  // namespace instruments
