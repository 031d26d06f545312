// The supply panel: Init opens once, Send applies and reads back, Clear
// switches off with three read-backs, Read fetches a pending reply.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using Strings = std::vector<std::string>;

struct Supply : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
    sim::SupplyE3631& supply = bus().instrumentAs<sim::SupplyE3631>(5);
};

TEST(SupplyPanel, FirstInitOpensTheDesignAddressASecondReopensNothing)
{
    Supply s;
    s.f.cmdInitAuxPS.userClick();
    ASSERT_EQ(s.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(s.bus().calls("ibdev")[0].args, "0,5,0,12,1,0");
    EXPECT_EQ(s.g.AuxPsAddress, 5);
    EXPECT_EQ(s.f.ReadingsListAuxPS.List(), (Strings{"HP,E3631A,0,2.1-5.0-1.0"}));

    s.f.txtAuxPSAdr.Text = "7";
    s.f.cmdInitAuxPS.userClick();
    EXPECT_EQ(s.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(s.bus().calls("ibclr").size(), 2u);
    EXPECT_EQ(s.received(5), (Strings{"*IDN?", "*IDN?"}));
    EXPECT_EQ(s.f.ReadingsListAuxPS.ListCount(), 2);
    EXPECT_TRUE(s.rt.boxes().empty());
}

TEST(SupplyPanel, SendAppliesSwitchesOnAndReadsTheOutputBack)
{
    Supply s;
    s.f.cmdInitAuxPS.userClick();
    s.unit(5).clearReceived();
    s.f.cmdSendAuxPSCommand.userClick();
    EXPECT_EQ(s.received(5), (Strings{"APPL P25V, 25.0,  1.0", "OUTP:STAT ON", "MEAS:VOLT:DC?"}));
    EXPECT_TRUE(s.supply.outputOn);
    ASSERT_EQ(s.f.ReadingsListAuxPS_2.ListCount(), 1);
    const std::string& line = s.f.ReadingsListAuxPS_2.List(0);
    EXPECT_NEAR(std::stod(line), 25.0, 0.001);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.size() + 1, static_cast<std::size_t>(s.g.ibcntl));  // n - 1 characters

    // An edited box goes out exactly as edited.
    s.f.txtAuxPSCommand[0].Text = "APPL P6V, 5.0, 0.5 ";
    s.f.cmdSendAuxPSCommand.userClick();
    EXPECT_EQ(s.received(5)[3], "APPL P6V, 5.0, 0.5 ");
    EXPECT_EQ(
        s.bus().calls("ibwrt")[s.bus().calls("ibwrt").size() - 3].args, std::to_string(s.g.CurrentDevice) + ",19");
    EXPECT_NEAR(std::stod(s.f.ReadingsListAuxPS_2.List(1)), 5.0, 0.001);
}

TEST(SupplyPanel, ClearSwitchesOffAndAddsThreeLines)
{
    Supply s;
    s.f.cmdInitAuxPS.userClick();
    s.f.cmdSendAuxPSCommand.userClick();
    s.unit(5).clearReceived();
    s.f.cmdClearRdgAuxPS.userClick();
    EXPECT_EQ(s.received(5), (Strings{"OUTP:STAT OFF", "MEAS:VOLT:DC?", "MEAS:VOLT:DC?", "MEAS:VOLT:DC?"}));
    EXPECT_FALSE(s.supply.outputOn);
    ASSERT_EQ(s.f.ReadingsListAuxPS_2.ListCount(), 4);
    for (int k = 1; k <= 3; ++k)
        EXPECT_LT(std::abs(std::stod(s.f.ReadingsListAuxPS_2.List(k))), 0.001) << k;
}

TEST(SupplyPanel, ReadFetchesAPendingReplyIntoTheLabelAndTheList)
{
    Supply s;
    s.f.cmdInitAuxPS.userClick();
    s.unit(5).queueOutput("+1.23400000E+01\n");
    s.f.cmdAuxPSRdOnly.userClick();
    EXPECT_EQ(s.f.lblLastReadingAuxPS.Caption.get(), "+1.23400000E+01");
    EXPECT_EQ(s.f.ReadingsListAuxPS_2.List(), (Strings{"+1.23400000E+01"}));
    EXPECT_EQ(s.received(5), (Strings{"*IDN?"}));  // Read writes nothing

    // A lone line end leaves an empty reply.
    s.unit(5).queueOutput("\n");
    s.f.cmdAuxPSRdOnly.userClick();
    EXPECT_EQ(s.f.lblLastReadingAuxPS.Caption.get(), "");
    EXPECT_EQ(s.f.ReadingsListAuxPS_2.ListCount(), 2);
}

TEST(SupplyPanel, SendBeforeInitEndsTheProgram)
{
    Supply s;
    EXPECT_THROW(s.f.cmdSendAuxPSCommand.userClick(), ui::ProgramEnded);
    EXPECT_EQ(s.lastBox(), "Unable to write to device\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_TRUE(s.received(5).empty());
}

TEST(SupplyPanel, AFailedOpenShowsTheNoticeThenTheClearEndsTheProgram)
{
    Supply s;
    s.f.txtAuxPSAdr.Text = "40";
    EXPECT_THROW(s.f.cmdInitAuxPS.userClick(), ui::ProgramEnded);
    ASSERT_EQ(s.rt.boxes().size(), 2u);
    EXPECT_EQ(s.rt.boxes()[0].prompt.substr(0, 45), "Unable to open E3631 device\ribsta = &H8000\rib");
    EXPECT_EQ(s.lastBox(), "Unable to clear device E3631\ribsta = &H8000\riberr = 0 <EDVR>");
}

}  // namespace
