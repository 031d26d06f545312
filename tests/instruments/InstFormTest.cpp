// The instrument form as it loads: caption, tabs, grid, design texts and presets.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using insttest::Station;

TEST(InstForm, CaptionTabsAndGridLayout)
{
    Station s;
    auto& f = s.p().form<instruments::frmInst>();
    EXPECT_EQ(f.Caption.get(), "IEEE Test Station Instruments");
    ASSERT_EQ(f.SSTab1.Tabs(), 5);
    EXPECT_EQ(f.SSTab1.TabCaption(0), "Instrument Configuration");
    EXPECT_EQ(f.SSTab1.TabCaption(1), "VIs");
    EXPECT_EQ(f.SSTab1.TabCaption(2), "DVMs");
    EXPECT_EQ(f.SSTab1.TabCaption(3), "E3631 Power Supply && 3488 Mux");
    EXPECT_EQ(f.SSTab1.TabCaption(4), "53131 Counter");
    EXPECT_EQ(f.Grid1.Cols(), 4);
    EXPECT_EQ(f.Grid1.Rows(), 30);
    EXPECT_EQ(f.Grid1.ColWidth(0), 67);  // 1000 twips
    EXPECT_EQ(f.Grid1.ColWidth(2), 67);
    EXPECT_EQ(f.Grid1.ColWidth(3), 267);  // 4000 twips
    EXPECT_EQ(f.Grid1.Width, 367);
    EXPECT_EQ(f.Grid1.Height, 400);
    EXPECT_EQ(f.cmdloadInstConfig.Caption.get(), "Load Inst File");
    EXPECT_EQ(f.frInstConfig.containerPage(), 0);
    EXPECT_EQ(f.FrVM.containerPage(), 2);
}

TEST(InstForm, PresetStringsAreFilledAtLoad)
{
    Station s;
    auto& f = s.p().form<instruments::frmInst>();
    const char* expected[20] = {"B16.53,3,X", "B15.93,3,X", "B16.23,3,X", "B16.57,3,X", "B16.56,3,X", "B16.55,3,X",
        "B16.54,3,X", "B16.53,3,X", "B16.52,3,X", "B16.51,3,X", "B16.50,3,X", "B16.00,3,X", "B15.99,3,X", "B15.98,3,X",
        "B15.97,3,X", "B15.96,3,X", "B15.95,3,X", "B15.94,3,X", "B15.93,3,X", "B15.92,3,X"};
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(f.txtVI228String[k].Text.get(), expected[k]) << k;
    EXPECT_EQ(f.cmdSendString[19].Caption.get(), "Send Sting");
}

TEST(InstForm, PanelsCarryTheirDesignTexts)
{
    Station s;
    auto& f = s.p().form<instruments::frmInst>();
    const char* viAddresses[5] = {"14", "16", "16", "17", "18"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.txtVIAddress[i].Text.get(), viAddresses[i]);
        EXPECT_EQ(f.FrVIContol[i].Caption.get(), "VI Control " + std::to_string(i + 1));
        EXPECT_FALSE(f.cmdVIDOMeas[i].Visible);
        EXPECT_FALSE(f.cmdVIOperate[i].Visible);
        EXPECT_EQ(f.lblVIMeasureA[i].Caption.get(), "-000.000 V");
        EXPECT_EQ(f.lblVIMeasureB[i].Caption.get(), "-000.000 mA");
    }
    EXPECT_EQ(f.txtVIVSourceVolts[1].Text.get(), "12");
    EXPECT_EQ(f.txtVIILimit[1].Text.get(), "100");
    EXPECT_EQ(f.txtVIVSourceCurrent[0].Text.get(), "20");
    EXPECT_TRUE(f.TXTlbVIlControlString.exists(1));
    EXPECT_FALSE(f.TXTlbVIlControlString.exists(2));
    EXPECT_EQ(f.FrVI1.Caption.get(), "Keithley 236 Source Measure Unit ");
    EXPECT_EQ(f.txtVI1V[1].Text.get(), "17.200");
    EXPECT_EQ(f.cmdVIsOFf.Caption.get(), "Clear VIs");

    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(f.txtDVMAddress[i].Text.get(), std::to_string(28 + i));
        EXPECT_EQ(f.frDVMSet[i].Caption.get(), "VM Control " + std::to_string(i + 1));
        EXPECT_EQ(f.lblDVMReading[i].Caption.get(), "------");
    }
    EXPECT_EQ(f.txtDCDigits[0].Text.get(), "4");
    EXPECT_EQ(f.txtOhmRange[8].Text.get(), "A");
    EXPECT_EQ(f.cmdDVMSetOhm[3].Caption.get(), "Set OHM");

    EXPECT_EQ(f.txtAuxPSCommand[0].Text.get(), "APPL P25V, 25.0,  1.0");
    EXPECT_EQ(f.txtAuxPSAdr.Text.get(), "5");
    EXPECT_EQ(f.cmdSendAuxPSCommand.Caption.get(), "Send Command and Read");
    EXPECT_EQ(f.txtSWRADR.Text.get(), "10");
    EXPECT_EQ(f.txtHP3488Initcmd.Text.get(), "ID?");
    EXPECT_EQ(f.OptS1B[4].Caption.get(), "CLR");
    EXPECT_EQ(f.OptS1A[2].container(), &f.FrSlot1a);
    EXPECT_EQ(f.cmdSWUpdate[1].Caption.get(), "Update Switches");

    EXPECT_EQ(f.txtAdr53131.Text.get(), "3");
    EXPECT_EQ(f.txt53131Init[5].Text.get(), ":STAT:PRES");
    EXPECT_EQ(f.txt53131Command[4].Text.get(), ":SENS:EVENt1:LEV:ABS 1.2");
    EXPECT_EQ(f.txt53131CmdRead[0].Text.get(), "FETCH:FREQ?");
    EXPECT_EQ(f.lblCounter1Read[0].Caption.get(), "-00000.0000000");
    EXPECT_EQ(f.TimerFreq.Interval.get(), 2000);
    EXPECT_FALSE(f.TimerFreq.Enabled);
}

TEST(InstForm, LoadButtonSetsTheDialogAndCancelChangesNothing)
{
    Station s;
    auto& f = s.p().form<instruments::frmInst>();
    f.lblInstConfigFIle.Caption = "before";
    f.Grid1.setTextMatrix(2, 2, "kept");
    s.rt.chooseFile("");
    f.cmdloadInstConfig.userClick();
    ASSERT_EQ(s.rt.dialogs().size(), 1u);
    const auto& d = s.rt.dialogs()[0];
    EXPECT_EQ(d.kind, ui::DialogKind::Open);
    EXPECT_EQ(d.title, "Select Instruments File to Load");
    EXPECT_EQ(d.filter, "All Files (*.*)|*.*|Instrument Files(*.csv)|*.csv");
    EXPECT_EQ(d.fileName, "");
    EXPECT_EQ(d.initDir, s.dir.file(""));
    EXPECT_EQ(d.defaultExt, "*.CSV");
    EXPECT_EQ(f.cdldialog.FilterIndex, 2);
    EXPECT_EQ(f.lblInstConfigFIle.Caption.get(), "before");
    EXPECT_EQ(f.Grid1.TextMatrix(2, 2), "kept");
    EXPECT_EQ(f.txtVIAddress[0].Text.get(), "14");
}

}  // namespace
