// The simulated bus: the instruments answer the panels' command texts with the
// line ends the panels expect; absent units and silent reads fail as the library does.
#include <gtest/gtest.h>

#include "gpib/Vbib32.h"
#include "sim/GpibBus.h"
#include "support/HeadlessRuntime.h"
#include "vb/Numbers.h"

namespace {

struct Bus {
    ui::HeadlessRuntime rt;
    sim::GpibBus bus{sim::defaultInstruments(), &rt};
    gpib::Vbib32 gpib{bus};

    std::int16_t open(int pad) { return gpib.ibdev(0, static_cast<std::int16_t>(pad), 0, 12, 1, 0); }
    // Writes each command, then reads one reply.
    std::string ask(std::int16_t ud, std::initializer_list<std::string> commands)
    {
        for (const auto& c : commands)
            gpib.ibwrt(ud, c, static_cast<std::int32_t>(c.size()));
        std::string buffer(1024, '\0');
        gpib.ibrd(ud, buffer, 1024);
        return buffer.substr(0, static_cast<std::size_t>(std::max(gpib.g.ibcntl, 0)));
    }
};

TEST(GpibSimBus, CounterSupplyAndSwitchAnswerWithOneLineFeed)
{
    Bus b;
    const auto counter = b.open(3);
    EXPECT_EQ(b.ask(counter, {"*IDN?"}), "HP,53131A,0,4613\n");
    const std::string freq = b.ask(counter, {":FUNC 'FREQ 1'", "FETCH:FREQ?"});
    ASSERT_EQ(freq.back(), '\n');
    EXPECT_NEAR(vb::Val(freq), 1.0e6, 1.0);
    EXPECT_EQ(freq.find('\r'), std::string::npos);

    const auto supply = b.open(5);
    EXPECT_EQ(b.ask(supply, {"*IDN?"}), "HP,E3631A,0,2.1-5.0-1.0\n");
    const std::string volts = b.ask(supply, {"APPL P25V, 25.0,  1.0", "OUTP:STAT ON", "MEAS:VOLT:DC?"});
    EXPECT_NEAR(vb::Val(volts), 25.0, 0.01);
    EXPECT_EQ(volts.back(), '\n');
    EXPECT_NEAR(vb::Val(b.ask(supply, {"OUTP:STAT OFF", "MEAS:VOLT:DC?"})), 0.0, 0.01);

    const auto sw = b.open(10);
    EXPECT_EQ(b.ask(sw, {"ID?"}), "HP3488A\n");
    EXPECT_EQ(b.ask(sw, {"CTYPE 1"}), "44470 RELAY MUX\n");
    for (const char* c : {"CMON 1", "CRESET 1", "OPEN 100", "OPEN 101", "OPEN 103", "CLOSE 102"})
        b.gpib.ibwrt(sw, c, static_cast<std::int32_t>(std::string(c).size()));
    EXPECT_EQ(b.bus.instrumentAs<sim::Switch3488>(10).closed, (std::vector<std::string>{"102"}));
}

TEST(GpibSimBus, MetersAndSourceMeasureUnitsTalkWithCarriageReturnLineFeed)
{
    Bus b;
    const auto meter = b.open(28);
    b.gpib.ibwrt(meter, "F1T1RAN4", 8);
    const std::string reading = b.ask(meter, {});
    ASSERT_GE(reading.size(), 2u);
    EXPECT_EQ(reading.substr(reading.size() - 2), "\r\n");
    EXPECT_EQ(reading[0], '+');
    EXPECT_NE(reading.find("E+0"), std::string::npos);

    const auto smu = b.open(14);
    b.gpib.ibwrt(smu, "J0X", 3);
    const std::string setVi = "J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X";
    b.gpib.ibwrt(smu, setVi, static_cast<std::int32_t>(setVi.size()));
    const std::string r = b.ask(smu, {"N1H0X"});
    EXPECT_EQ(r.substr(0, 12), "+1.2000E+00,");
    EXPECT_EQ(r.substr(r.size() - 2), "\r\n");
    EXPECT_NEAR(vb::Val(r.substr(12)), 0.001, 1e-5);  // 1.2 V into 1 kOhm, at the 1 mA compliance
}

TEST(GpibSimBus, AnAbsentAddressGivesNoListenerAndASilentReadTimesOut)
{
    Bus b;
    const auto nobody = b.open(7);
    EXPECT_GT(nobody, 0);  // opening does not address the unit
    b.gpib.ibclr(nobody);
    EXPECT_EQ(b.gpib.g.iberr, gpib::ENOL);
    b.gpib.ibwrt(nobody, "*IDN?", 5);
    EXPECT_EQ(b.gpib.g.ibsta, static_cast<std::int16_t>(0x8100));

    const auto counter = b.open(3);
    const long long before = b.rt.now();
    std::string buffer(1024, '\0');
    b.gpib.ibrd(counter, buffer, 1024);  // nothing asked: nothing to send
    EXPECT_EQ(b.gpib.g.ibsta & 0xC000, 0xC000);
    EXPECT_EQ(b.gpib.g.iberr, gpib::EABO);
    EXPECT_EQ(b.gpib.g.ibcntl, 0);
    EXPECT_EQ(b.rt.now() - before, 3000);  // time-out code 12
}

TEST(GpibSimBus, BadOpenArgumentsAndUnknownDescriptorsFail)
{
    Bus b;
    EXPECT_EQ(b.gpib.ibdev(0, 31, 0, 12, 1, 0), -1);
    EXPECT_EQ(b.gpib.g.iberr, gpib::EARG);
    EXPECT_EQ(b.gpib.ibdev(1, 3, 0, 12, 1, 0), -1);
    EXPECT_EQ(b.gpib.g.iberr, gpib::ENEB);
    b.gpib.ibclr(-5);
    EXPECT_EQ(b.gpib.g.iberr, gpib::EDVR);
    EXPECT_NE(b.gpib.g.ibsta & 0x8000, 0);
}

TEST(GpibSimBus, ReadsSplitALongReplyAndMarkTheEnd)
{
    Bus b;
    const auto counter = b.open(3);
    b.gpib.ibwrt(counter, "*IDN?", 5);
    std::string part(10, '\0');
    b.gpib.ibrd(counter, part, 10);
    EXPECT_EQ(part, "HP,53131A,");
    EXPECT_EQ(b.gpib.g.ibsta & gpib::END, 0);
    std::string rest(1024, '\0');
    b.gpib.ibrd(counter, rest, 1024);
    EXPECT_EQ(rest.substr(0, 7), "0,4613\n");
    EXPECT_NE(b.gpib.g.ibsta & gpib::END, 0);
}

TEST(GpibSimBus, BusLevelCallsFindClearSendAndReceive)
{
    Bus b;
    b.gpib.SendIFC(0);
    EXPECT_EQ(b.gpib.g.ibsta & 0x8000, 0);

    std::vector<std::int16_t> results(31, 0);
    b.gpib.FindLstn(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, gpib::NOADDR}, results, 31);
    EXPECT_EQ(b.gpib.g.ibcntl, 3);
    EXPECT_EQ(std::vector<std::int16_t>(results.begin(), results.begin() + 3), (std::vector<std::int16_t>{3, 5, 10}));

    b.gpib.DevClearList(0, {3, 5, gpib::NOADDR});
    EXPECT_EQ(b.gpib.g.ibsta & 0x8000, 0);
    b.gpib.DevClearList(0, {3, 7, gpib::NOADDR});
    EXPECT_EQ(b.gpib.g.iberr, gpib::ENOL);

    b.gpib.SendList(0, {gpib::NOADDR}, "*IDN?", gpib::NLend);
    EXPECT_EQ(b.gpib.g.iberr, gpib::EARG);  // nobody to send to
    b.gpib.SendList(0, {3, 5, gpib::NOADDR}, "*IDN?", gpib::NLend);
    EXPECT_EQ(b.bus.instrument(5)->received().back(), "*IDN?\n");
    std::string reply(50, ' ');
    b.gpib.Receive(0, 5, reply, gpib::STOPend);
    EXPECT_EQ(reply.substr(0, 25), "HP,E3631A,0,2.1-5.0-1.0\n ");
    EXPECT_EQ(reply.size(), 50u);

    b.gpib.Receive(0, 21, reply, gpib::STOPend);  // nobody there
    EXPECT_EQ(b.gpib.g.iberr, gpib::EABO);
    EXPECT_NE(b.gpib.g.ibsta & gpib::TIMO, 0);
}

TEST(GpibSimBus, LogsEveryCallWithItsDataAndStatus)
{
    Bus b;
    const auto ud = b.open(5);
    b.gpib.ibwrt(ud, "*IDN?", 5);
    const auto& log = b.bus.log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].name, "RegisterGpibGlobalsForThread");
    EXPECT_EQ(log[1].name, "ibdev");
    EXPECT_EQ(log[1].args, "0,5,0,12,1,0");
    EXPECT_EQ(log[2].name, "ibwrt");
    EXPECT_EQ(log[2].data, "*IDN?");
    EXPECT_EQ(log[2].ibcntl, 5);
}

}  // namespace
