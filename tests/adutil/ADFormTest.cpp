// The A/D form's load, unload, tables and scope buttons.
#include "ADFormFixture.h"
#include "shell/Doco.h"

namespace {

using adutil_test::ADFormTest;

bool printed(const ui::PictureBox& pic, const std::string& text)
{
    for (const auto& t : pic.texts())
        if (t.text == text)
            return true;
    return false;
}

TEST_F(ADFormTest, FirstLoadWithoutMarkerFilesShowsTheMeasurementPageOnly)
{
    auto& f = shown();
    EXPECT_EQ(f.Caption.get(), "Corvale KVN58C2/3 Internal Mux and AD");
    EXPECT_EQ(f.SSTab1.Tab, adutil::kPageMeasurement);
    EXPECT_EQ(f.SSTab1.TabCaption(2), "Measurement Screen");
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.FrBits, &f.cmdCollectData2, &f.cmdShowMother,
             &f.FrUPMode, &f.FrCapture, &f.frmDataRecord, &f.cmdGraphReadings, &f.cmdInitPlot, &f.Frame5})
        EXPECT_FALSE(c->Visible) << c->name();
    EXPECT_EQ(f.names.MuxChannelName[14], "Internal Temp");
    EXPECT_EQ(f.names.GainText[3], "500");
    EXPECT_EQ(f.names.StimSourceName[4], "KVN61D4 16bit DAC");
    EXPECT_TRUE(f.OptBits[1].Value);  // 14 bits, as designed
    EXPECT_TRUE(f.OptFDGain[1].Value);
    EXPECT_EQ(p().form<shell::Doco>().rtxt1.Text(), "");
    EXPECT_TRUE(rt.boxes().empty());
}

TEST_F(ADFormTest, MarkerFilesShowTheEngineeringControls)
{
    folder.write("BR549.csv", "");
    folder.write("RI550.csv", "");
    auto& f = shown();
    EXPECT_TRUE(f.FrBits.Visible);
    EXPECT_TRUE(f.cmdCollectData2.Visible);
    EXPECT_TRUE(f.cmdShowMother.Visible);
    EXPECT_FALSE(f.FrUPMode.Visible);
}

TEST_F(ADFormTest, DetailTraceLinesOfTheLoad)
{
    launch();
    p().TraceOn = true;
    p().TraceDetail = true;
    shown();
    const std::string_view text = p().form<shell::Doco>().rtxt1.Text();
    EXPECT_NE(text.find("     Block Diagram load\r\n"), std::string::npos);
    EXPECT_NE(text.find("Measurement Scope Initialization\r\n"), std::string::npos);
    EXPECT_NE(text.find("     Block Diagram load completed\r\n\r\n"), std::string::npos);
}

TEST_F(ADFormTest, ResetScaleDrawsTheGridSavesItAndPrintsTheFullRange)
{
    auto& f = shown();
    f.lblpkpk[1].Caption = "12";
    f.cmdMeasureScreenInit.userClick();
    EXPECT_EQ(f.lbluvdiv[3].Caption.get(), " 520");
    EXPECT_EQ(f.lbluvdiv[0].Caption.get(), " 520");
    EXPECT_EQ(f.lbluvdiv[2].Caption.get(), "0");
    EXPECT_EQ(f.lblpkpk[1].Caption.get(), "----");
    EXPECT_EQ(f.lblADInstant[1].Caption.get(), "----");
    EXPECT_EQ(f.Label3[2].Caption.get(), "Min. V");
    EXPECT_EQ(f.Label3[3].Caption.get(), "Max. V");
    EXPECT_EQ(f.scale.ScaleTop, 2600);
    EXPECT_EQ(f.scale.RangeSpan, 5200);

    // Grid: columns 32 to 288, rows 163 up to 3 every 16; the rest white.
    const ui::PictureBox& pic = f.picTrace1_1;
    for (int y = 0; y < 164; ++y) {
        for (int x = 0; x < 320; ++x) {
            const bool line = (x % 32 == 0 && x > 0) || ((163 - y) % 16 == 0);
            ASSERT_EQ(pic.Point(x, y), line ? vb::kBlack : vb::kWhite) << x << "," << y;
            ASSERT_EQ(f.wave.PixelSave(x, y), pic.Point(x, y));
        }
    }
    EXPECT_TRUE(printed(f.picTrace1_2, "-2,600.00000"));
    EXPECT_TRUE(printed(f.picTrace1_2, " 2,600.00000"));
    EXPECT_TRUE(printed(f.picTrace1_2, " 320 Samples Displayed"));
    EXPECT_TRUE(printed(f.picTrace1_2, "Output1"));
    EXPECT_TRUE(printed(f.picTrace1_2, "mV"));
    EXPECT_EQ(f.picTrace1_2.texts().size(), 25u);
}

TEST_F(ADFormTest, AutoRangeOnChosenPeaksCentresAndResetsThem)
{
    auto& f = shown();
    f.scale.PeakMin = 3000;
    f.scale.PeakMax = 3040;
    f.lblpkpk[1].Caption = "40.0000";
    f.lblpkpk[3].Caption = "3000.00000";
    f.cmdAutoRange2.userClick();
    EXPECT_EQ(f.scale.ScaleBottom, 2920);
    EXPECT_EQ(f.scale.ScaleTop, 3120);
    EXPECT_EQ(f.scale.RangeSpan, 200);
    EXPECT_EQ(f.lbluvdiv[3].Caption.get(), "20.00000");
    EXPECT_EQ(f.lbluvdiv[2].Caption.get(), "3020.00000");
    EXPECT_EQ(f.labels.YLabelText[0], "2920");
    EXPECT_EQ(f.lblpkpk[2].Caption.get(), "--");
    EXPECT_EQ(f.scale.PeakMax, adutil::kPeakResetMax);
    EXPECT_TRUE(printed(f.picTrace1_2, " 3,120.00000"));

    // Right after that reset the texts read "--": the smallest span, round the shown minimum.
    f.cmdAutoRange2.userClick();
    EXPECT_EQ(f.scale.ScaleSpan, 50);
    EXPECT_EQ(f.scale.RangeSpan, 50);
    EXPECT_EQ(f.lbluvdiv[3].Caption.get(), "5.00000");
}

TEST_F(ADFormTest, SensitivityButtonsAndCentre)
{
    auto& f = shown();
    for (int i = 0; i < 8; ++i)
        f.cmdRangeAdj[1].userClick();
    EXPECT_EQ(f.lbluvdiv[3].Caption.get(), "700.00000");
    EXPECT_DOUBLE_EQ(f.scale.RangeSpan, 5200 * std::pow(1.25, 8));
    EXPECT_EQ(f.lblpkpk[1].Caption.get(), "--");

    f.cmdMeasureScreenInit.userClick();
    f.cmdRangeAdj[2].userClick();  // peaks as reset by the sensitivity presses: centre 0
    EXPECT_EQ(f.lbluvdiv[2].Caption.get(), ".00000");
    EXPECT_EQ(f.lbluvdiv[3].Caption.get(), "520.00000");
    EXPECT_EQ(f.scale.ScaleBottom, -2600);

    f.cmdRangeAdj[0].userClick();
    EXPECT_EQ(f.scale.RangeSpan, 3900);
    EXPECT_DOUBLE_EQ(f.scale.ScaleSpan, 4290);
}

TEST_F(ADFormTest, TheDoneButtonAndTheWindowButtons)
{
    auto& f = shown();
    const auto reports = board().log.size();
    const std::string prompt = f.lblOPR[1].Caption;
    f.cmdDoneTab1_Click();
    EXPECT_EQ(board().log.size(), reports);
    EXPECT_EQ(f.lblOPR[1].Caption.get(), prompt);
    EXPECT_EQ(f.SSTab1.Tab, adutil::kPageMeasurement);

    f.mnuAboutShow.userClick();
    EXPECT_TRUE(p().form<shell::frmAbout2>().Visible);
    p().form<chip::KVN58C3_Main>().Hide();
    f.cmdMainShow.userClick();
    EXPECT_TRUE(p().form<chip::KVN58C3_Main>().Visible);
}

TEST_F(ADFormTest, StopWithoutARunLeavesThePromptAndShowsTheRecordFrame)
{
    auto& f = shown();
    f.lblOPR[2].Caption = "before";
    f.SSCmdStop.ForeColor = vb::kRed;
    f.SSCmdStop.userClick();
    EXPECT_EQ(f.lblOPR[2].Caption.get(), "before");
    EXPECT_TRUE(f.frmDataRecord.Visible);
    EXPECT_EQ(f.SSCmdStop.ForeColor, vb::kBlack);
}

TEST_F(ADFormTest, AStuckI2cLockIsFreedAfterItsRounds)
{
    auto& f = shown();
    p().I2CBusy = true;
    const auto before = rt.doEventsCalls();
    f.SSCmdStop_Click();
    EXPECT_FALSE(p().I2CBusy);
    EXPECT_GE(rt.doEventsCalls() - before, 10000);
}

TEST_F(ADFormTest, InstantValueAveragesOrShowsTheLatestReading)
{
    auto& f = shown();
    f.lblADINput[1].Caption = "3.701234";
    f.run.AvgCount = 1;
    f.run.AvgSum = 99;
    f.Timer_Instant_Timer();
    EXPECT_EQ(f.lblADInstant[1].Caption.get(), "3.7012");
    EXPECT_EQ(f.run.AvgCount, 0);
    f.run.AvgCount = 4;
    f.run.AvgSum = 14.8;
    f.Timer_Instant_Timer();
    EXPECT_EQ(f.lblADInstant[1].Caption.get(), "3.7000");
    EXPECT_EQ(f.run.AvgSum, 0);
}

TEST_F(ADFormTest, GainClicksOffTheCurrentChannelChangeNothing)
{
    auto& f = shown();
    const auto reports = board().log.size();
    f.OptFDGain[3].userClick();
    EXPECT_EQ(board().log.size(), reports);
    EXPECT_EQ(f.lblUserGain.Caption.get(), "");
}

TEST_F(ADFormTest, TheChipFormsMenuAndButtonOpenTheFormAndAskTheAutoScanToStop)
{
    chip::KVN58C3_Main& main = launch();
    main.cbAutoScan_Click();
    ASSERT_EQ(main.cbAutoScan.Caption.get(), "Auto Scan STOP");
    main.mnuDataACQ.userClick();
    ASSERT_TRUE(p().hasForm<adutil::frmADUtil>());
    auto& f = p().form<adutil::frmADUtil>();
    EXPECT_TRUE(f.Visible);
    EXPECT_EQ(main.cbAutoScan.Caption.get(), "Auto Scan START");
    rt.runFor(100);
    EXPECT_EQ(main.cbAutoScan.BackColor, vb::kIdle);  // the next tick ended the scan

    f.Hide();
    main.cmdADUtil.userClick();
    EXPECT_TRUE(f.Visible);
}

}  // namespace
