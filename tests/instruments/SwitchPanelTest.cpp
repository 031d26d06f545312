// The switch unit: INIT, and each group's option row opening the unselected
// channels before closing the selected one.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using Strings = std::vector<std::string>;

struct Switch : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
    sim::Switch3488& unit3488 = bus().instrumentAs<sim::Switch3488>(10);
    Switch()
    {
        f.cmdSWINIT.userClick();
        unit3488.clearReceived();
    }
};

TEST(SwitchPanel, InitIdentifiesTheUnitAndCardAndResetsTheCard)
{
    insttest::Station s;
    auto& f = s.p().form<instruments::frmInst>();
    s.unit(10).queueOutput("stale\n");  // the clear drops it
    f.cmdSWINIT.userClick();
    EXPECT_EQ(s.received(10), (Strings{"ID?", "CTYPE 1", "CMON 1", "CRESET 1"}));
    EXPECT_EQ(f.lbl3488ID.Caption.get(), "HP3488A");
    EXPECT_EQ(f.FrCrd1.Caption.get(), "44470 RELAY MUX");
    ASSERT_EQ(s.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(s.bus().calls("ibdev")[0].args, "0,10,0,12,1,0");

    // A second INIT reopens nothing whatever the address box holds.
    f.txtSWRADR.Text = "11";
    f.lbl3488ID.Caption = "---";
    f.cmdSWINIT.userClick();
    EXPECT_EQ(s.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(s.bus().calls("ibclr").size(), 2u);
    EXPECT_EQ(s.received(10).size(), 8u);
    EXPECT_EQ(f.lbl3488ID.Caption.get(), "HP3488A");
    EXPECT_TRUE(s.rt.boxes().empty());
}

TEST(SwitchPanel, ASelectionOpensTheOthersThenClosesIt)
{
    Switch s;
    s.f.OptS1A[2].userClick();
    EXPECT_EQ(s.received(10), (Strings{"OPEN 100", "OPEN 101", "OPEN 103", "CLOSE 102"}));
    EXPECT_EQ(s.unit3488.closed, (Strings{"102"}));

    s.unit3488.clearReceived();
    s.f.OptS1A[0].userClick();
    EXPECT_EQ(s.received(10), (Strings{"OPEN 101", "OPEN 102", "OPEN 103", "CLOSE 100"}));
    EXPECT_EQ(s.unit3488.closed, (Strings{"100"}));
}

TEST(SwitchPanel, ClrAndAnEmptyGroupOpenAllFour)
{
    Switch s;
    s.f.cmdSWUpdate[1].userClick();  // nothing selected yet
    EXPECT_EQ(s.received(10), (Strings{"OPEN 110", "OPEN 111", "OPEN 112", "OPEN 113"}));

    s.f.OptS1B[3].userClick();
    s.unit3488.clearReceived();
    s.f.OptS1B[4].userClick();  // CLR
    EXPECT_EQ(s.received(10), (Strings{"OPEN 110", "OPEN 111", "OPEN 112", "OPEN 113"}));
    EXPECT_TRUE(s.unit3488.closed.empty());
}

TEST(SwitchPanel, GroupsAreIndependent)
{
    Switch s;
    s.f.OptS1A[1].userClick();
    s.f.OptS1B[2].userClick();
    EXPECT_EQ(s.unit3488.closed, (Strings{"101", "112"}));
    s.unit3488.clearReceived();
    s.f.cmdSWUpdate[0].userClick();
    EXPECT_EQ(s.received(10), (Strings{"OPEN 100", "OPEN 102", "OPEN 103", "CLOSE 101"}));
    s.unit3488.clearReceived();
    s.f.cmdSWUpdate[1].userClick();
    EXPECT_EQ(s.received(10), (Strings{"OPEN 110", "OPEN 111", "OPEN 113", "CLOSE 112"}));
    EXPECT_EQ(s.unit3488.closed, (Strings{"101", "112"}));

    // A second INIT resets the card but leaves the rows as they are.
    s.f.cmdSWINIT.userClick();
    EXPECT_TRUE(s.unit3488.closed.empty());
    EXPECT_TRUE(s.f.OptS1A[1].Value);
}

TEST(SwitchPanel, UpdateBeforeInitSendsToTheUnopenedUnitWithoutAReport)
{
    insttest::Station s;
    auto& f = s.p().form<instruments::frmInst>();
    f.OptS1A[0].userClick();
    const auto writes = s.bus().calls("ibwrt");
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(writes[0].args, "-5,8");
    EXPECT_NE(writes[3].ibsta & gpib::ERR, 0);
    EXPECT_TRUE(s.rt.boxes().empty());
    EXPECT_FALSE(s.rt.ended());
}

TEST(SwitchPanel, AFailedOpenIsSilentAndTheClearEndsTheProgram)
{
    insttest::Station s;
    auto& f = s.p().form<instruments::frmInst>();
    f.txtSWRADR.Text = "99999";  // past the 16-bit range: taken as 32767, which no unit has
    EXPECT_THROW(f.cmdSWINIT.userClick(), ui::ProgramEnded);
    ASSERT_EQ(s.rt.boxes().size(), 1u);
    EXPECT_EQ(s.lastBox(), "Unable to clear device HP3488 SWITCH BOX\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_EQ(s.bus().calls("ibdev")[0].args, "0,32767,0,12,1,0");
}

}  // namespace
