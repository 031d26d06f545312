// The source-measure panels: VI and IV set-ups, Sample and its units,
// Operate and standby with the icons, Clear VIs, the bias rows and presets.
#include <gtest/gtest.h>

#include <filesystem>

#include "InstTestSupport.h"
#include "instruments/frmInst.h"

namespace {

using Strings = std::vector<std::string>;

const std::filesystem::path kShippedFolder =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "app/folder";

struct Smus : insttest::Station {
    instruments::frmInst& f = p().form<instruments::frmInst>();
    gpib::NiGlobal& g = gpib().g;
    Smus(bool icons = true)
    {
        if (icons)
            for (const char* name : {"HPYELOF.ICO", "HPYELON.ICO"})
                std::filesystem::copy_file(kShippedFolder / name, dir.path / name);
    }
    sim::Smu236& smu(int address) { return bus().instrumentAs<sim::Smu236>(address); }
    ui::Image icon(const char* name) { return *ui::LoadPicture(dir.file(name)); }
    std::pair<std::string, std::string> reading(int i)
    {
        return {f.lblVIMeasureA[i].Caption.get(), f.lblVIMeasureB[i].Caption.get()};
    }
};

TEST(SourceMeasurePanels, SetViBuildsEachPanelsCommand)
{
    Smus s;
    s.f.cmdSetVIMODE[0].userClick();
    EXPECT_EQ(s.f.lbVIlControlString[0].Caption.get(), "J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X");
    EXPECT_EQ(s.f.TXTlbVIlControlString[0].Text.get(), "J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X");
    EXPECT_EQ(s.received(14), (Strings{"J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X"}));
    // "J0X" goes to the second panel's unit, not opened yet.
    const auto writes = s.bus().calls("ibwrt");
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].args, "-5,3");
    EXPECT_EQ(writes[0].data, "J0X");
    EXPECT_EQ(s.g.CurrentDevice, s.g.ViDevices[0]);
    EXPECT_TRUE(s.rt.boxes().empty());

    s.f.cmdSetVIMODE[1].userClick();
    EXPECT_EQ(s.f.lbVIlControlString[1].Caption.get(), "J0XF0,0L.1,9B12.0,3,0T0,0,0,1P4S3G5,2,0X");
    EXPECT_EQ(s.received(16), (Strings{"J0X", "J0XF0,0L.1,9B12.0,3,0T0,0,0,1P4S3G5,2,0X"}));
    EXPECT_EQ(s.f.vi.ViVoltage[1], 12.0);
    EXPECT_EQ(s.f.vi.ViCurrent[1], 0.1);

    // Panel 3 (index 2) shares address 16 in the design; it opens its own descriptor.
    s.f.cmdSetVIMODE[2].userClick();
    EXPECT_EQ(s.f.lbVIlControlString[2].Caption.get(), "J0XF0,0");
    EXPECT_EQ(s.received(16).back(), "J0XF0,0");
    EXPECT_EQ(s.received(16)[2], "J0X");
    EXPECT_EQ(s.f.vi.ViVoltage[2], 0.0);
    EXPECT_EQ(s.bus().calls("ibdev").size(), 3u);
    EXPECT_EQ(s.f.ShpVIMode[2].FillColor.get(), vb::kRed);
    EXPECT_EQ(s.f.ShpIVMode[2].FillColor.get(), vb::kBlack);
    EXPECT_TRUE(s.f.cmdVIDOMeas[2].Visible);
    EXPECT_TRUE(s.f.cmdVIOperate[2].Visible);
    EXPECT_EQ(s.f.cmdVIOperate[2].Picture.get(), s.icon("HPYELOF.ICO"));
}

TEST(SourceMeasurePanels, SetIvBuildsTheSameCommandOnEveryPanel)
{
    Smus s;
    s.f.cmdSetIVMODE[0].userClick();
    EXPECT_EQ(s.received(14), (Strings{"J0XF1,0B.02,0,0L5.,0P4S3G5,2,0X"}));
    EXPECT_EQ(s.f.TXTlbVIlControlString[0].Text.get(), "J0XF1,0B.02,0,0L5.,0P4S3G5,2,0X");
    EXPECT_EQ(s.reading(0), std::make_pair(std::string(), std::string()));

    s.f.txtVIVSourceCurrent[3].Text = "0.5";
    s.f.txtVIVLimit[3].Text = "12";
    s.f.cmdSetIVMODE[3].userClick();
    EXPECT_EQ(s.f.lbVIlControlString[3].Caption.get(), "J0XF1,0B.0005,0,0L12.,0P4S3G5,2,0X");
    EXPECT_EQ(s.received(17), (Strings{"J0XF1,0B.0005,0,0L12.,0P4S3G5,2,0X"}));
    EXPECT_EQ(s.f.ShpIVMode[3].FillColor.get(), vb::kRed);
    EXPECT_EQ(s.f.ShpVIMode[3].FillColor.get(), vb::kBlack);
    EXPECT_FALSE(s.f.vi.ViSourcesVoltage[3]);
    EXPECT_EQ(s.f.TXTlbVIlControlString[1].Text.get(), "");  // copied nowhere else
    EXPECT_EQ(s.received(16), Strings{});  // IV sends no reset to the second unit
}

TEST(SourceMeasurePanels, SampleUnitsFollowTheModeIntoTheResistorLoad)
{
    Smus s;
    s.f.cmdSetVIMODE[0].userClick();
    s.smu(14).loadOhms = 2000;
    s.f.txtVIILimit[0].Text = "10";
    s.f.cmdSetVIMODE[0].userClick();
    s.f.cmdVIDOMeas[0].userClick();
    EXPECT_EQ(s.received(14).back(), "N1H0X");
    EXPECT_EQ(s.f.lblVIMeasureA[0].Caption.get(), "+1.2000E+00 V");
    EXPECT_NEAR(std::stod(s.f.lblVIMeasureB[0].Caption.get()), 6.0e-4, 1e-7);  // 1.2 V into 2 kohm
    EXPECT_EQ(s.f.lblVIMeasureB[0].Caption.get().substr(10), " A");
    EXPECT_TRUE(s.f.vi.ViOperating[0]);
    EXPECT_EQ(s.f.cmdVIOperate[0].Picture.get(), s.icon("HPYELON.ICO"));
    EXPECT_EQ(s.f.cmdVIOperate[0].Caption.get(), "");

    // 20 mA into 2 kohm would be 40 V: the 5 V compliance holds it.
    s.f.cmdSetIVMODE[0].userClick();
    s.f.cmdVIDOMeas[0].userClick();
    EXPECT_EQ(s.f.lblVIMeasureA[0].Caption.get(), "+2.0000E-02 A");
    EXPECT_NEAR(std::stod(s.f.lblVIMeasureB[0].Caption.get()), 5.0, 0.001);
    EXPECT_EQ(s.f.lblVIMeasureB[0].Caption.get().substr(10), " V");
}

TEST(SourceMeasurePanels, ShortAndCommaLessReplies)
{
    Smus s;
    s.f.cmdSetVIMODE[4].userClick();
    auto& unit = s.scripted(18);
    const struct {
        const char* bytes;
        const char* a;
        const char* b;
    } cases[] = {
        {"+1.2000E+00,+1.0000E-03\r\n", "+1.2000E+00 V", "1.0000E-03 A"},
        {"1,23\r\n", "+1.2000E+00 V", "3 A"},  // 4 characters: the first label stays
        {"+1.5000E+00\r\n", "+1.5000E+00 V", " A"},  // no comma: no second value
        {"+1.7500E+00,\r\n", "+1.7500E+00 V", " A"},  // nothing after the comma
        {"+2.0000E+00,+\r\n", "+2.0000E+00 V", " A"}, {"\r\n", "+2.0000E+00 V", " A"},
        {"\n", "+2.0000E+00 V", " A"},  // fewer characters than the line end
    };
    for (const auto& c : cases) {
        unit.queueOutput(c.bytes);
        s.f.cmdVIDOMeas[4].userClick();
        EXPECT_EQ(s.reading(4), std::make_pair(std::string(c.a), std::string(c.b))) << c.bytes;
    }
    EXPECT_EQ(unit.received(), Strings(std::size(cases), "N1H0X"));
}

TEST(SourceMeasurePanels, OperateTogglesBetweenSampleAndStandby)
{
    Smus s;
    s.f.cmdSetVIMODE[1].userClick();
    s.f.cmdVIOperate[1].userClick();  // off: exactly Sample
    EXPECT_EQ(s.received(16).back(), "N1H0X");
    EXPECT_TRUE(s.f.vi.ViOperating[1]);
    EXPECT_TRUE(s.smu(16).operating);
    EXPECT_EQ(s.f.lblVIMeasureA[1].Caption.get(), "+1.2000E+01 V");

    s.f.cmdVIOperate[1].userClick();  // on: standby
    EXPECT_EQ(s.received(16).back(), "N0H0X");
    EXPECT_FALSE(s.f.vi.ViOperating[1]);
    EXPECT_FALSE(s.smu(16).operating);
    EXPECT_EQ(s.f.lblVIMeasureB[1].Caption.get(), "ST.BY");
    EXPECT_EQ(s.f.lblVIMeasureA[1].Caption.get(), "+1.2000E+01 V");
    EXPECT_EQ(s.f.cmdVIOperate[1].Picture.get(), s.icon("HPYELOF.ICO"));
    EXPECT_EQ(s.bus().calls("ibrd").size(), 1u);
}

TEST(SourceMeasurePanels, WithoutItsIconFilesTheOperateButtonSaysTheState)
{
    Smus s(false);
    s.dir.write("HPYELON.ICO", "not an icon");
    s.f.cmdSetVIMODE[0].userClick();
    EXPECT_TRUE(s.f.cmdVIOperate[0].Picture->empty());
    EXPECT_EQ(s.f.cmdVIOperate[0].Caption.get(), "OFF");
    s.f.cmdVIOperate[0].userClick();
    EXPECT_TRUE(s.f.cmdVIOperate[0].Picture->empty());
    EXPECT_EQ(s.f.cmdVIOperate[0].Caption.get(), "ON");
    EXPECT_TRUE(s.rt.boxes().empty());
}

TEST(SourceMeasurePanels, ClearVisResetsTheFirstTwoPanelsSkippingABadAddress)
{
    Smus s;
    s.f.cmdSetVIMODE[0].userClick();
    s.f.cmdVIDOMeas[0].userClick();
    s.f.cmdSetIVMODE[1].userClick();
    s.f.cmdSetVIMODE[2].userClick();
    const auto panel0 = s.g.ViDevices[0];
    s.bus().clearLog();
    s.smu(14).clearReceived();
    s.smu(16).clearReceived();

    s.f.txtVIAddress[1].Text = "1 6";
    s.f.cmdVIsOFf.userClick();
    const auto opens = s.bus().calls("ibdev");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].args, "0,14,0,12,1,0");
    EXPECT_EQ(s.received(14), (Strings{"J0X"}));
    EXPECT_FALSE(s.smu(14).operating);
    EXPECT_EQ(s.received(16), Strings{});
    EXPECT_EQ(s.g.ViDevices[0], panel0);
    EXPECT_NE(s.g.CurrentDevice, panel0);

    EXPECT_EQ(s.f.lbVIlControlString[0].Caption.get(), "J0X");
    EXPECT_EQ(s.reading(0), std::make_pair(std::string("+00.000 V"), std::string("STBY.  uA")));
    EXPECT_FALSE(s.f.cmdVIDOMeas[0].Visible);
    EXPECT_FALSE(s.f.cmdVIOperate[0].Visible);
    EXPECT_FALSE(s.f.vi.ViOperating[0]);
    EXPECT_EQ(s.f.ShpVIMode[0].FillColor.get(), vb::kBlack);
    EXPECT_EQ(s.f.cmdVIOperate[0].Picture.get(), s.icon("HPYELOF.ICO"));
    // Panel 1 skipped, panel 2 never touched.
    EXPECT_TRUE(s.f.cmdVIDOMeas[1].Visible);
    EXPECT_EQ(s.f.ShpIVMode[1].FillColor.get(), vb::kRed);
    EXPECT_TRUE(s.f.cmdVIDOMeas[2].Visible);

    s.f.txtVIAddress[1].Text = " 16 ";
    s.f.cmdVIsOFf.userClick();
    EXPECT_EQ(s.bus().calls("ibdev").size(), 3u);  // a new descriptor per panel per click
    EXPECT_EQ(s.received(16), (Strings{"J0X"}));
    EXPECT_EQ(s.f.ShpIVMode[1].FillColor.get(), vb::kBlack);
}

TEST(SourceMeasurePanels, SetV1RowsSendTheBiasToTheFirstTwoUnits)
{
    Smus s;
    s.f.cmdSetVIMODE[0].userClick();
    s.f.cmdSetVIMODE[1].userClick();
    const auto current = s.g.CurrentDevice;
    s.f.txtVI1V[0].Text = "15.8";
    s.f.cmdSetVI1V[0].userClick();
    s.f.cmdSetVI1V[0].userClick();
    s.f.cmdSetVI1V[1].userClick();
    EXPECT_EQ(s.f.txtVI1VCmd[0].Text.get(), "B15.80,3,X");
    EXPECT_EQ(s.f.txtVI1VCmd[1].Text.get(), "B17.20,3,X");
    EXPECT_EQ(s.received(14), (Strings{"J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X", "B15.80,3,X", "B15.80,3,X"}));
    EXPECT_EQ(s.received(16).back(), "B17.20,3,X");
    EXPECT_EQ(s.smu(16).bias, 17.2);
    EXPECT_EQ(s.g.CurrentDevice, current);

    // Presets go to the current unit: panel 1's after its set-up.
    s.f.cmdSendString[19].userClick();
    EXPECT_EQ(s.received(16).back(), "B15.92,3,X");
}

TEST(SourceMeasurePanels, SetV1BeforeASetUpEndsTheProgram)
{
    Smus s;
    EXPECT_THROW(s.f.cmdSetVI1V[1].userClick(), ui::ProgramEnded);
    EXPECT_EQ(s.lastBox(), "Unable to write to device\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_EQ(s.f.txtVI1VCmd[1].Text.get(), "B17.20,3,X");
}

}  // namespace
