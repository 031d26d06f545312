// The GPIB conventions of the instrument form's panels: the address box, the
// open on first use, the tested write and the read with its reply.
#include <gtest/gtest.h>

#include <utility>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"
#include "vb/Strings.h"

namespace {

struct Panels : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
};

TEST(InstConventions, AddressIsTheLeadingNumberRoundedHalvesToEven)
{
    Panels s;
    auto& box = s.f.txtAuxPSAdr;
    const std::pair<const char*, int> cases[] = {
        {"5", 5}, {" 28 DVM", 28}, {"16.5", 16}, {"17.5", 18}, {"x5", 0}, {"", 0}, {"99999", 32767}, {"-3", -3}};
    for (const auto& [text, address] : cases) {
        box.Text = text;
        EXPECT_EQ(instruments::frmInst::unitAddress(box), address) << text;
    }
}

TEST(InstConventions, AUnitOpensOnceAtItsFirstUseAndBecomesTheCurrentDevice)
{
    Panels s;
    s.f.selectUnit(s.g.AuxPsDevices[0], 5, "Unable to open E3631 device");
    const auto ud = s.g.AuxPsDevices[0];
    EXPECT_NE(ud, gpib::kNotOpened);
    EXPECT_EQ(s.g.CurrentDevice, ud);

    s.g.CurrentDevice = 0;
    s.f.selectUnit(s.g.AuxPsDevices[0], 9, "Unable to open E3631 device");  // a new address changes nothing
    EXPECT_EQ(s.g.AuxPsDevices[0], ud);
    EXPECT_EQ(s.g.CurrentDevice, ud);
    const auto opens = s.bus().calls("ibdev");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].args, "0,5,0,12,1,0");
    EXPECT_TRUE(s.rt.boxes().empty());
}

TEST(InstConventions, AFailedOpenShowsItsNoticeOnceAndKeepsWhatTheOpenReturned)
{
    Panels s;
    s.f.selectUnit(s.g.DvmDevices[4], 31, "Unable to open dvm device");  // 31 is no primary address
    EXPECT_EQ(s.g.DvmDevices[4], -1);
    EXPECT_EQ(s.g.CurrentDevice, -1);
    ASSERT_EQ(s.rt.boxes().size(), 1u);
    EXPECT_EQ(vb::RTrim(s.rt.boxes()[0].prompt), "Unable to open dvm device\ribsta = &H8000\riberr = 4");
    EXPECT_FALSE(s.rt.ended());

    s.f.selectUnit(s.g.DvmDevices[4], 31, "Unable to open dvm device");
    EXPECT_EQ(s.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(s.rt.boxes().size(), 1u);

    // An open whose status nobody tests shows nothing.
    s.f.selectUnit(s.g.SwitchDevices[0], 31, "");
    EXPECT_EQ(s.g.SwitchDevices[0], -1);
    EXPECT_EQ(s.rt.boxes().size(), 1u);
}

TEST(InstConventions, WritesTheTextAsItIsAndAFailedWriteEndsTheProgram)
{
    Panels s;
    s.f.selectUnit(s.g.CounterDevices[0], 3, "Unable to open 53131 device");
    s.f.writeCommand(":FUNC 'FREQ 1' ");
    const auto write = s.bus().calls("ibwrt").back();
    EXPECT_EQ(write.data, ":FUNC 'FREQ 1' ");  // no terminator added: EOI ends it
    EXPECT_EQ(write.args, std::to_string(s.g.CurrentDevice) + ",15");

    s.bus().failNext("ibwrt", gpib::ENOL);
    EXPECT_THROW(s.f.writeCommand("*RST"), ui::ProgramEnded);
    EXPECT_EQ(vb::RTrim(s.rt.boxes().back().prompt), "Unable to write to device\ribsta = &H8100\riberr = 2 <ENOL>");
    EXPECT_EQ(s.bus().calls("ibonl").back().args, std::to_string(s.g.CurrentDevice) + ",0");
}

TEST(InstConventions, ReplyDropsTheLineEndAndIsEmptyWhenNothingIsLeftToDrop)
{
    Panels s;
    s.f.selectUnit(s.g.CounterDevices[0], 3, "");
    s.f.writeCommand("*IDN?");
    EXPECT_EQ(s.f.readReply(s.g.CurrentDevice, 1), "HP,53131A,0,4613");
    s.bus().instrument(3)->queueOutput("\n");
    EXPECT_EQ(s.f.readReply(s.g.CurrentDevice, 1), "");
    EXPECT_EQ(s.g.GpibReadBuffer.substr(0, 10), "\nP,53131A,");  // the rest of the last reply stays

    s.f.selectUnit(s.g.DvmDevices[0], 28, "");
    const std::string reading = s.f.readReply(s.g.DvmDevices[0], 2);
    ASSERT_FALSE(reading.empty());
    EXPECT_EQ(reading.find_first_of("\r\n"), std::string::npos);
    s.bus().instrument(28)->queueOutput("\n");  // fewer characters than the line end
    EXPECT_EQ(s.f.readReply(s.g.DvmDevices[0], 2), "");
}

TEST(InstConventions, AFailedReadEndsTheProgram)
{
    Panels s;
    s.f.selectUnit(s.g.AuxPsDevices[0], 5, "");
    s.bus().failNext("ibrd", gpib::EABO, gpib::TIMO | gpib::CMPL);
    EXPECT_THROW(s.f.readReply(s.g.CurrentDevice, 1), ui::ProgramEnded);
    EXPECT_EQ(vb::RTrim(s.rt.boxes().back().prompt), "Unable to read from device\ribsta = &HC100\riberr = 6 <EABO>");
    EXPECT_TRUE(s.rt.ended());
}

}  // namespace
