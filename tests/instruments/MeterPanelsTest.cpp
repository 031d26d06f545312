// The nine meter panels: the set-up command from function, range and digits,
// the three indicators, Sample with its unit, the refusal before set-up.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using Strings = std::vector<std::string>;

// The panels at the simulated meters' addresses, 22 to 30.
struct Meters : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
    Meters()
    {
        for (int i = 0; i < 9; ++i)
            f.txtDVMAddress[i].Text = std::to_string(address(i));
    }
    static int address(int panel) { return 22 + panel; }
    sim::Meter34401& meter(int panel) { return bus().instrumentAs<sim::Meter34401>(address(panel)); }
    // Fill colours of a panel's DC, AC and ohms indicators.
    std::vector<vb::Color> lights(int i)
    {
        return {
            f.ShpDVMDCMode[i].FillColor.get(), f.ShpDVMACMode[i].FillColor.get(), f.ShpDVMOhmMode[i].FillColor.get()};
    }
};

const std::vector<vb::Color> kDcLit = {vb::kRed, vb::kBlack, vb::kBlack};
const std::vector<vb::Color> kAcLit = {vb::kBlack, vb::kRed, vb::kBlack};
const std::vector<vb::Color> kOhmLit = {vb::kBlack, vb::kBlack, vb::kRed};
const std::vector<vb::Color> kNoneLit = {vb::kBlack, vb::kBlack, vb::kBlack};

TEST(MeterPanels, SetUpsOpenOnceAndLightExactlyTheirOwnIndicator)
{
    Meters m;
    m.f.cmdDVMSetDC[2].userClick();
    EXPECT_EQ(m.lights(2), kDcLit);
    EXPECT_EQ(m.f.lblDVMControlString[2].Caption.get(), "F1T1RAN4");
    m.f.txtDVMAddress[2].Text = "3";  // the open unit stays, the address is read again
    m.f.cmdDVMSetAC[2].userClick();
    EXPECT_EQ(m.lights(2), kAcLit);
    m.f.cmdDVMSetOhm[2].userClick();
    EXPECT_EQ(m.lights(2), kOhmLit);
    EXPECT_EQ(m.received(24), (Strings{"F1T1RAN4", "F2T1RAN3", "F3T1RAN3"}));
    EXPECT_EQ(m.meter(2).function, 3);
    ASSERT_EQ(m.bus().calls("ibdev").size(), 1u);
    EXPECT_EQ(m.bus().calls("ibdev")[0].args, "0,24,0,12,1,0");
    EXPECT_EQ(m.g.CurrentDevice, m.g.DvmDevices[2]);
    EXPECT_EQ(m.g.DvmAddress, 3);
    EXPECT_TRUE(m.rt.boxes().empty());
}

TEST(MeterPanels, RangeAndDigitsEditsGoIntoTheCommand)
{
    Meters m;
    m.f.txtDCRange[0].Text = "3";
    m.f.txtDCDigits[0].Text = "5";
    m.f.cmdDVMSetDC[0].userClick();
    EXPECT_EQ(m.received(22), (Strings{"F1T1R3N5"}));
    EXPECT_EQ(m.f.lblDVMControlString[0].Caption.get(), "F1T1R3N5");
    EXPECT_FALSE(m.meter(0).autoRange);
    EXPECT_EQ(m.meter(0).range, 3);
    EXPECT_EQ(m.meter(0).digits, 5);
}

TEST(MeterPanels, SampleShowsTheReadingWithItsUnit)
{
    Meters m;
    m.f.cmdDVMSetDC[0].userClick();
    EXPECT_EQ(m.f.lblDVMReading[0].Caption.get(), "");
    m.meter(0).input[0] = 12.3456;
    m.f.cmdDVMGetMeas[0].userClick();
    const std::string reply = m.bus().calls("ibrd").back().data;
    EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n");
    EXPECT_NEAR(m.f.meters.DvmReadings[0], 12.3456, 0.001);
    EXPECT_EQ(m.f.lblDVMReading[0].Caption.get().substr(m.f.lblDVMReading[0].Caption.get().size() - 4), " DCV");

    // Exact replies through a unit of the test's making.
    auto& unit = m.scripted(22);
    const std::pair<const char*, const char*> cases[] = {
        {"+1.23456E+01\r\n", "12.3456 DCV"}, {"+0.00000E+00\r\n", ".000 DCV"}, {"-5.0000E-03\r\n", "-.005 DCV"},
        {"+1.2345E+03\r\n", "1,234.500 DCV"}, {"+9.99999E+09\r\n", "9,999,990,000.000 DCV"},
        {"\n", ".000 DCV"},  // fewer characters than the line end
    };
    for (const auto& [bytes, shown] : cases) {
        unit.queueOutput(bytes);
        m.f.cmdDVMGetMeas[0].userClick();
        EXPECT_EQ(m.f.lblDVMReading[0].Caption.get(), shown) << bytes;
    }
    EXPECT_TRUE(unit.received().empty());  // Sample only reads

    m.f.cmdDVMSetOhm[0].userClick();
    unit.queueOutput("+1.00000E+03\r\n");
    m.f.cmdDVMGetMeas[0].userClick();
    EXPECT_EQ(m.f.lblDVMReading[0].Caption.get(), "1,000.000 Ohms");

    // Grouping and decimal characters as the user's number settings have them.
    m.rt.numberSymbols = {".", ","};
    unit.queueOutput("+1.2345E+03\r\n");
    m.f.cmdDVMGetMeas[0].userClick();
    EXPECT_EQ(m.f.lblDVMReading[0].Caption.get(), "1.234,500 Ohms");
}

TEST(MeterPanels, AReplyLongerThanTheBufferLeavesNothingForTheNextSample)
{
    Meters m;
    m.f.cmdDVMSetDC[0].userClick();
    m.unit(22).queueOutput("+1.50000E+00" + std::string(1100, ' ') + "\r\n");
    m.f.cmdDVMGetMeas[0].userClick();
    EXPECT_EQ(m.f.lblDVMReading[0].Caption.get(), "1.500 DCV");
    // The next Sample is the meter's own reading, not the tail of the long one.
    m.f.cmdDVMGetMeas[0].userClick();
    EXPECT_NEAR(m.f.meters.DvmReadings[0], m.meter(0).input[0], 0.001);
    EXPECT_TRUE(m.rt.boxes().empty());
}

TEST(MeterPanels, AFixedRangeTooSmallReadsOverload)
{
    Meters m;
    m.f.txtACRange[1].Text = "-2";
    m.f.cmdDVMSetAC[1].userClick();
    m.f.cmdDVMGetMeas[1].userClick();
    EXPECT_EQ(m.bus().calls("ibrd").back().data, "+9.99999E+09\r\n");
    m.f.txtACRange[1].Text = "A";
    m.f.cmdDVMSetAC[1].userClick();
    m.f.cmdDVMGetMeas[1].userClick();
    EXPECT_NEAR(m.f.meters.DvmReadings[1], 0.1 + 23 * 0.001, 1e-5);
    EXPECT_EQ(m.f.lblDVMReading[1].Caption.get().substr(m.f.lblDVMReading[1].Caption.get().size() - 4), " ACV");
}

TEST(MeterPanels, SampleOnAnUnsetPanelIsRefused)
{
    Meters m;
    m.f.cmdDVMGetMeas[4].userClick();
    ASSERT_EQ(m.rt.boxes().size(), 1u);
    const auto& box = m.rt.boxes()[0];
    EXPECT_EQ(box.prompt, "DVM has not been initialized #  4Click on set Mode before making a measurement");
    EXPECT_EQ(box.buttons, ui::vbOKOnly);
    EXPECT_EQ(box.icon, 0);
    EXPECT_EQ(box.title, m.rt.appTitle);
    EXPECT_TRUE(m.bus().log().empty());
    EXPECT_FALSE(m.rt.ended());
}

TEST(MeterPanels, PanelsAreIndependent)
{
    Meters m;
    m.f.cmdDVMSetOhm[7].userClick();
    m.f.cmdDVMSetDC[1].userClick();
    for (int i = 0; i < 9; ++i) {
        const auto expected = i == 7 ? kOhmLit : i == 1 ? kDcLit : kNoneLit;
        EXPECT_EQ(m.lights(i), expected) << i;
        EXPECT_EQ(m.f.meters.DvmUnits[static_cast<std::size_t>(i)], i == 7 ? " Ohms" : i == 1 ? " DCV" : "") << i;
        EXPECT_EQ(m.g.DvmDevices[static_cast<std::size_t>(i)] != gpib::kNotOpened, i == 7 || i == 1) << i;
    }
    EXPECT_EQ(m.received(29), (Strings{"F3T1RAN3"}));
    EXPECT_EQ(m.received(23), (Strings{"F1T1RAN4"}));
    EXPECT_NE(m.g.DvmDevices[7], m.g.DvmDevices[1]);

    // Panel 7 reads its own meter although panel 1 was set up last.
    m.f.cmdDVMGetMeas[7].userClick();
    EXPECT_NEAR(m.f.meters.DvmReadings[7], 1000.0 + 29, 0.1);
    EXPECT_EQ(m.g.CurrentDevice, m.g.DvmDevices[1]);
    EXPECT_EQ(m.f.lblDVMReading[1].Caption.get(), "");
}

TEST(MeterPanels, ADesignAddressPastThirtyFailsToOpenAndTheSetUpEndsTheProgram)
{
    insttest::Station s;
    auto& f = s.p().form<instruments::frmInst>();
    EXPECT_EQ(f.txtDVMAddress[3].Text.get(), "31");
    EXPECT_THROW(f.cmdDVMSetDC[3].userClick(), ui::ProgramEnded);
    ASSERT_EQ(s.rt.boxes().size(), 2u);
    EXPECT_EQ(s.rt.boxes()[0].prompt.substr(0, 51), "Unable to open dvm device\ribsta = &H8000\riberr = 4 ");
    EXPECT_EQ(s.lastBox(), "Unable to write to device\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_EQ(f.lblDVMControlString[3].Caption.get(), "F1T1RAN4");
}

}  // namespace
