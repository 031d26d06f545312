// The counter tab: initialisation, the set-up texts, single and periodic
// readings with their number pattern, and the end of the readings table.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using Strings = std::vector<std::string>;

struct Counter : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
    sim::Counter53131& counter = bus().instrumentAs<sim::Counter53131>(3);
};

TEST(CounterPanel, InitOpensOnceIdentifiesAndResets)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    EXPECT_EQ(c.received(3), (Strings{"*IDN?", "*RST", "*CLS", "*SRE 0", "*ESE 0", ":STAT:PRES"}));
    EXPECT_EQ(c.f.ReadingsList53131_1.List(), (Strings{"HP,53131A,0,4613"}));
    EXPECT_EQ(c.g.CounterAddress, 3);
    EXPECT_EQ(c.g.CurrentDevice, c.g.CounterDevices[0]);
    ASSERT_EQ(c.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(c.bus().calls("ibdev")[0].args, "0,3,0,12,1,0");
    EXPECT_EQ(c.bus().calls("ibclr").size(), 1u);

    c.f.txtAdr53131.Text = "9";
    c.f.cmd53141Init.userClick();
    EXPECT_EQ(c.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(c.f.ReadingsList53131_1.ListCount(), 2);
    EXPECT_TRUE(c.rt.boxes().empty());
}

TEST(CounterPanel, SetupSendsTheSevenBoxesInOrderAsEdited)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.unit(3).clearReceived();
    c.f.txt53131Command[3].Text = ":FREQ:ARM:STOP:TIM 0.500";
    c.f.cmd53131_2[0].userClick();
    EXPECT_EQ(c.received(3),
        (Strings{":FUNC 'FREQ 1'", ":FREQ:ARM:STAR:SOUR IMM", ":FREQ:ARM:STOP:SOUR TMM", ":FREQ:ARM:STOP:TIM 0.500",
            ":SENS:EVENt1:LEV:ABS 1.2", ":INP1:FILT ON", ":INIT:CONT ON"}));
    c.f.cmd53131_2[1].userClick();
    EXPECT_EQ(c.received(3).back(), "SHOW: MEAS");
}

TEST(CounterPanel, ReadingsAreParsedAndShownWithTenDecimals)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.counter.frequency = 500;
    c.counter.noiseHz = 0;
    c.f.xms53131_4.userClick();
    EXPECT_EQ(c.bus().calls("ibrd").back().data, "+5.00000000000000E+002\n");
    EXPECT_EQ(c.received(3).back(), "FETCH:FREQ?");
    EXPECT_EQ(c.f.lblCounter1Read[0].Caption.get(), "500.0000000000");
    EXPECT_EQ(c.f.ReadingsList53131_2.List(), (Strings{"500.0000000000"}));
    EXPECT_EQ(c.f.counter.CounterReadings[0], 500.0);
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 1);

    c.counter.frequency = -0.25;
    c.f.xms53131_4.userClick();
    EXPECT_EQ(c.f.lblCounter1Read[0].Caption.get(), "-0.2500000000");

    // A unit whose reply begins with no number reads as 0.
    auto& scripted = c.scripted(3);
    scripted.queueOutput("ERR 12\n");
    c.f.xms53131_4.userClick();
    EXPECT_EQ(scripted.received(), (Strings{"FETCH:FREQ?"}));
    EXPECT_EQ(c.f.lblCounter1Read[0].Caption.get(), "0.0000000000");
    EXPECT_EQ(c.f.counter.CounterReadings[2], 0.0);
    // Nothing but the line end: an empty reply, read as 0.
    scripted.queueOutput("\n");
    c.f.xms53131_4.userClick();
    EXPECT_EQ(c.f.ReadingsList53131_2.List().back(), "0.0000000000");
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 4);
}

TEST(CounterPanel, StartClearsTheListButTheIndexGoesOn)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.f.xms53131_4.userClick();
    c.f.xms53131_4.userClick();
    c.f.cmdStartTimer[0].userClick();
    EXPECT_EQ(c.f.ReadingsList53131_2.ListCount(), 0);
    EXPECT_TRUE(c.f.TimerFreq.Enabled);
    c.f.cmdStartTimer[1].userClick();
    c.f.xms53131_4.userClick();
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 3);
    EXPECT_EQ(c.f.ReadingsList53131_2.ListCount(), 1);

    // A new initialisation starts the table again.
    c.f.cmd53141Init.userClick();
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 0);
}

TEST(CounterPanel, PeriodicReadingEveryTwoSecondsUntilStopped)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.unit(3).clearReceived();
    c.f.cmdStartTimer[0].userClick();
    c.rt.runFor(1990);
    EXPECT_TRUE(c.received(3).empty());
    c.rt.runFor(4100);  // ticks at 2 s, 4 s and 6 s
    EXPECT_EQ(c.received(3), (Strings(3, "FETCH:FREQ?")));
    ASSERT_EQ(c.f.ReadingsList53131_2.ListCount(), 3);
    EXPECT_EQ(c.f.lblCounter1Read[0].Caption.get(), c.f.ReadingsList53131_2.List(2));
    EXPECT_NEAR(c.f.counter.CounterReadings[2], 1.0e6, 0.05);

    c.f.cmdStartTimer[1].userClick();
    c.rt.runFor(10000);
    EXPECT_EQ(c.received(3).size(), 3u);
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 3);
}

TEST(CounterPanel, ReadingsPastTheTableAreShownButNotKept)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.counter.noiseHz = 0;
    for (int n = 0; n < 1001; ++n) {
        c.counter.frequency = n;
        c.f.xms53131_4_Click();
    }
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 1001);
    EXPECT_EQ(c.f.counter.CounterReadings[1000], 1000.0);

    c.counter.frequency = 4242;
    c.f.xms53131_4_Click();
    EXPECT_EQ(c.f.lblCounter1Read[0].Caption.get(), "4242.0000000000");
    EXPECT_EQ(c.f.ReadingsList53131_2.ListCount(), 1002);
    EXPECT_EQ(c.f.counter.CounterReadingIndex, 1001);
    EXPECT_EQ(c.f.counter.CounterReadings[1000], 1000.0);
    EXPECT_TRUE(c.f.counter.full());
}

TEST(CounterPanel, TheReadingsListKeepsTheMostRecentLines)
{
    Counter c;
    c.f.cmd53141Init.userClick();
    c.counter.noiseHz = 0;
    const int kept = instruments::frmInst::kCounterListLines;
    for (int n = 0; n <= kept; ++n) {
        c.counter.frequency = n;
        c.f.xms53131_4_Click();
    }
    ASSERT_EQ(c.f.ReadingsList53131_2.ListCount(), kept);
    EXPECT_EQ(c.f.ReadingsList53131_2.List(0), "1.0000000000");
    EXPECT_EQ(c.f.ReadingsList53131_2.List(kept - 1), c.f.lblCounter1Read[0].Caption.get());
}

TEST(CounterPanel, ReadBeforeInitEndsTheProgramWithTheWriteReport)
{
    Counter c;
    EXPECT_THROW(c.f.xms53131_4.userClick(), ui::ProgramEnded);
    EXPECT_EQ(c.lastBox(), "Unable to write to device\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_TRUE(c.rt.ended());
}

}  // namespace
