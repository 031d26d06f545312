// The GPIB call layer over the simulated bus: status copies, registration,
// the read buffer and the guards on what reaches the library.
#include <gtest/gtest.h>

#include "gpib/Vbib32.h"
#include "sim/GpibBus.h"

namespace {

using gpib::Vbib32;

struct Layer {
    sim::GpibBus bus{sim::defaultInstruments()};
    Vbib32 gpib{bus};
    std::int16_t open(int pad) { return gpib.ibdev(0, static_cast<std::int16_t>(pad), 0, 12, 1, 0); }
};

TEST(GpibLayer, LowWordToInt16KeepsTheLowWordWithItsSign)
{
    EXPECT_EQ(Vbib32::LowWordToInt16(40000), -25536);
    EXPECT_EQ(Vbib32::LowWordToInt16(0x8100), -32512);
    EXPECT_EQ(Vbib32::LowWordToInt16(static_cast<std::int32_t>(0xDEAD37F0u)), 0x37F0);
    EXPECT_EQ(Vbib32::LowWordToInt16(-1), -1);
    EXPECT_EQ(Vbib32::LowWordToInt16(0x7FFF), 0x7FFF);
}

TEST(GpibLayer, ACountOf40000ShowsAsNegativeIbcnt)
{
    Layer l;
    const auto ud = l.open(28);
    l.gpib.ibwrt(ud, std::string(40000, 'x'), 40000);
    EXPECT_EQ(l.gpib.g.ibcntl, 40000);
    EXPECT_EQ(l.gpib.g.ibcnt, -25536);
}

TEST(GpibLayer, FailedWriteGivesNegativeIbstaWithTheErrorBit)
{
    Layer l;
    const auto ud = l.open(7);  // nobody listens at 7
    l.gpib.ibwrt(ud, "*IDN?", 5);
    EXPECT_EQ(l.gpib.g.ibsta, -32512);  // &H8100
    EXPECT_NE(l.gpib.g.ibsta & 0x8000, 0);
    EXPECT_EQ(l.gpib.g.iberr, gpib::ENOL);
}

TEST(GpibLayer, RegistersOnceThenCopiesTheStatusOfEveryCall)
{
    Layer l;
    l.open(3);
    l.open(5);
    EXPECT_EQ(l.bus.calls("RegisterGpibGlobalsForThread").size(), 1u);
    EXPECT_EQ(l.gpib.g.GpibGlobalsRegistered, 1);
    EXPECT_EQ(l.gpib.g.LongIbsta, gpib::CMPL);
}

TEST(GpibLayer, RegistrationResultOneRegistersAgainAndTheCallBehavesAsAfterZero)
{
    Layer l;
    l.bus.scriptRegistration(1);
    const auto ud = l.open(3);
    ASSERT_EQ(l.bus.calls("UnregisterGpibGlobalsForThread").size(), 1u);
    EXPECT_EQ(l.bus.calls("RegisterGpibGlobalsForThread").size(), 2u);
    EXPECT_EQ(l.gpib.g.GpibGlobalsRegistered, 1);
    l.gpib.ibwrt(ud, "*IDN?", 5);
    EXPECT_EQ(l.gpib.g.ibsta, gpib::CMPL);
    EXPECT_EQ(l.gpib.g.ibcntl, 5);
}

TEST(GpibLayer, RegistrationResultTwoMarksTheCallFailedAndTriesAgainNextTime)
{
    Layer l;
    l.bus.scriptRegistration(2);
    const auto ud = l.open(3);
    EXPECT_EQ(l.bus.calls("UnregisterGpibGlobalsForThread").size(), 1u);
    ASSERT_EQ(l.bus.calls("ibdev").size(), 1u);  // the call is still made
    EXPECT_GT(ud, 0);
    EXPECT_EQ(l.gpib.g.ibsta, static_cast<std::int16_t>(0x8000));
    EXPECT_EQ(l.gpib.g.iberr, 0);
    EXPECT_EQ(l.gpib.g.ibcntl, static_cast<std::int32_t>(0xDEAD37F0u));
    EXPECT_EQ(l.gpib.g.ibcnt, 0x37F0);
    EXPECT_EQ(l.gpib.g.GpibGlobalsRegistered, 0);

    l.gpib.ibclr(ud);
    EXPECT_EQ(l.bus.calls("RegisterGpibGlobalsForThread").size(), 2u);
    EXPECT_EQ(l.gpib.g.GpibGlobalsRegistered, 1);
    EXPECT_EQ(l.gpib.g.ibsta, gpib::CMPL);
}

TEST(GpibLayer, AnUnknownRegistrationResultMarksWithoutUnregistering)
{
    Layer l;
    l.bus.scriptRegistration(7);
    l.open(3);
    EXPECT_TRUE(l.bus.calls("UnregisterGpibGlobalsForThread").empty());
    EXPECT_EQ(l.gpib.g.ibsta, static_cast<std::int16_t>(0x8000));
}

TEST(GpibLayer, ReadOfTenBytesChangesOnlyTheFirstTenCharactersOfTheBuffer)
{
    Layer l;
    const auto ud = l.open(3);
    l.gpib.g.GpibReadBuffer.assign(1024, '#');
    l.bus.instrument(3)->queueOutput("0123456789");
    l.gpib.ibrd(ud, l.gpib.g.GpibReadBuffer, 1024);
    EXPECT_EQ(l.gpib.g.ibcntl, 10);
    ASSERT_EQ(l.gpib.g.GpibReadBuffer.size(), 1024u);
    EXPECT_EQ(l.gpib.g.GpibReadBuffer.substr(0, 10), "0123456789");
    EXPECT_EQ(l.gpib.g.GpibReadBuffer.substr(10), std::string(1014, '#'));
}

TEST(GpibLayer, CountsBeyondTheTextNeverReachTheLibrary)
{
    Layer l;
    const auto ud = l.open(3);
    l.gpib.ibwrt(ud, "*RST", 1000);
    EXPECT_EQ(l.bus.calls("ibwrt").back().data, "*RST");
    std::string small(4, '.');
    l.bus.instrument(3)->queueOutput("ABCDEFGH");
    l.gpib.ibrd(ud, small, 1024);
    EXPECT_EQ(small, "ABCD");
    l.gpib.ibwrt(ud, "*RST", -3);
    EXPECT_EQ(l.bus.calls("ibwrt").back().data, "");
}

TEST(GpibLayer, ReplyDropsTheLineEndAndIsEmptyWhenNothingIsLeftToDrop)
{
    gpib::NiGlobal g;
    g.GpibReadBuffer.replace(0, 6, "+5.0\r\n");
    g.ibcntl = 6;
    EXPECT_EQ(g.reply(1), "+5.0\r");
    EXPECT_EQ(g.reply(2), "+5.0");
    g.ibcntl = 0;
    EXPECT_EQ(g.reply(1), "");
    g.ibcntl = 1;
    EXPECT_EQ(g.reply(2), "");
    g.ibcntl = static_cast<std::int32_t>(0xDEAD37F0u);
    EXPECT_EQ(g.reply(1), "");
    g.ibcntl = 5000;
    EXPECT_EQ(g.reply(1).size(), 1024u);
}

TEST(GpibLayer, AddressListsWithoutTerminatorAreEndedBeforeTheLibraryReadsThem)
{
    Layer l;
    std::vector<std::int16_t> results(2, 0);
    l.gpib.FindLstn(0, {3, 5, 10}, results, 31);  // no NOADDR, limit beyond the results
    EXPECT_EQ(l.bus.calls("FindLstn").back().args, "0,3,5,10");
    EXPECT_EQ(l.gpib.g.iberr, gpib::ETAB);  // only two places for three listeners
    EXPECT_EQ(results, (std::vector<std::int16_t>{3, 5}));
}

TEST(GpibLayer, DeviceTablesStartNotOpenedAndResetToMinusFive)
{
    gpib::NiGlobal g;
    EXPECT_EQ(g.CounterDevices[0], gpib::kNotOpened);
    g.DvmDevices[8] = 40;
    g.ViDevices[20] = 41;
    g.resetDeviceTables();
    for (const auto* t : {&g.DvmDevices, &g.ViDevices, &g.AuxPsDevices, &g.SwitchDevices, &g.CounterDevices})
        for (auto v : *t)
            EXPECT_EQ(v, -5);
    EXPECT_EQ(g.GpibReadBuffer.size(), 1024u);
    g.setGpibErrText(std::string(150, 'x'));
    EXPECT_EQ(g.GpibErrText, std::string(100, 'x'));
    g.setGpibErrText("short");
    EXPECT_EQ(g.GpibErrText, "short" + std::string(95, ' '));
}

}  // namespace
