// Surveys and single-channel series written by real runs on the simulated board.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "ControlFixture.h"
#include "support/FileSizeLimit.h"
#include "vb/DateTime.h"

namespace monitor_test {
namespace {

class DataCollectionTest : public ControlTest {
protected:
    // Date and time as the next run will write them (no time passes before its first line).
    std::string stamp() { return vb::DateText(rt.Now()) + "," + vb::TimeText(rt.Now()); }
    std::vector<std::string> fileLines(const std::string& name) { return lines(folder.read(name)); }
    bool fileOneOpen() { return rt.files().isOpen(1); }
};

const std::regex kUnitValue(R"([ -]\d+(\.\d{1,3})?)");

TEST_F(DataCollectionTest, SurveyWritesStartHeaderAndOneLinePerSampleWithAMinuteBetween)
{
    auto& f = form();
    f.tbSamples2.Text = "2";
    rt.chooseFile(folder.file("survey.txt"));
    const std::string started = stamp();
    const long long t0 = rt.now();
    f.cbDataCollect_Click();

    ASSERT_EQ(rt.dialogs().size(), 1u);
    EXPECT_EQ(rt.dialogs()[0].filter, "Text File (*.txt)|*.txt| All Files (*.*)|*.*|");
    const auto l = fileLines("survey.txt");
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0], "Start," + started);
    EXPECT_EQ(
        l[1], "Sample,CELL1,CELL2,CELL3,CELL4,CELL5,CELL6,CELL7,CELL8,Current(50),VBAT,VRGO,xTemp1,xTemp2,Int Temp");
    for (int i = 0; i < 2; ++i) {
        const auto v = fields(l[static_cast<std::size_t>(2 + i)]);
        ASSERT_EQ(v.size(), 15u);
        EXPECT_EQ(v[0], vb::Str(i));
        for (std::size_t k = 1; k < v.size(); ++k)
            EXPECT_TRUE(std::regex_match(v[k], kUnitValue)) << k << ": '" << v[k] << "'";
        EXPECT_NEAR(vb::Val(v[1]), 3.702, 0.001);
        EXPECT_NEAR(vb::Val(v[9]), -0.5, 0.01);  // discharge current, millivolts at the shunt
        EXPECT_NEAR(vb::Val(v[10]), 29.604, 0.01);
    }
    // The pause follows the last sample too.
    EXPECT_GE(rt.now() - t0, 120000);
    EXPECT_LT(rt.now() - t0, 125000);
    EXPECT_FALSE(fileOneOpen());
    EXPECT_FALSE(f.cmdAbortDC.Visible.get());
    EXPECT_EQ(f.lblMeasCount.Caption.get(), " 1");
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "Int Temp");
}

TEST_F(DataCollectionTest, SurveyHeaderAndCurrentSignFollowTheGainAndTheResultCode)
{
    auto& f = form();
    f.tbSamples2.Text = "1";
    f.tbRegdata[0x85].Text = "30";
    for (int code : {8191, 8192, 16383}) {
        board().chip().forceRegister(0xAA, static_cast<std::uint8_t>(code & 0xFF));
        board().chip().forceRegister(0xAB, static_cast<std::uint8_t>(code >> 8));
        const std::string name = "sign" + std::to_string(code) + ".txt";
        rt.chooseFile(folder.file(name));
        f.cbDataCollect_Click();
        const auto l = fileLines(name);
        ASSERT_EQ(l.size(), 3u);
        EXPECT_NE(l[1].find(",Current(500),"), std::string::npos);
        const std::string current = fields(l[2])[9];
        if (code == 8191)
            EXPECT_EQ(current, " 3.6");  // +full scale at 500x: 1800 mV / 500
        else if (code == 8192)
            EXPECT_EQ(current, "-3.6");
        else
            EXPECT_EQ(current, " 0");  // -1 code: -0.0004 mV rounds to zero
        EXPECT_EQ(fields(l[2])[1], code == 8191 ? " 4.8" : code == 8192 ? " 4.801" : " 9.601");
    }
}

TEST_F(DataCollectionTest, SeriesWritesTheChosenChannelsRawCodes)
{
    auto& f = form();
    f.tbVoltageMon.ListIndex = 3;
    f.tbSamples2.Text = "5";
    rt.chooseFile(folder.file("series.txt"));
    const std::string started = stamp();
    f.SampleVoltages_Click();
    const auto l = fileLines("series.txt");
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[0], "CELL3, Decimal , Hex ,  Reg 171/170 ,5 Samples :," + started);
    const std::regex sample(R"( (\d+), (\d+),0x([0-9A-F]+))");
    for (int i = 0; i < 5; ++i) {
        std::smatch m;
        const std::string& line = l[static_cast<std::size_t>(1 + i)];
        ASSERT_TRUE(std::regex_match(line, m, sample)) << line;
        EXPECT_EQ(std::stoi(m[1]), i);
        EXPECT_EQ(std::stol(m[2]), std::stol(m[3], nullptr, 16));
        EXPECT_NEAR(std::stol(m[2]) * 14.4 / 24573, 3.705, 0.001);
    }
    EXPECT_EQ(f.lblMeasCount.Caption.get(), " 5");
    EXPECT_EQ(f.tbVoltageMon.Text.get(), "CELL3");
    EXPECT_FALSE(fileOneOpen());
}

// The header states the count the run took: text around it in the box never
// splits the header or adds a field.
TEST_F(DataCollectionTest, SeriesHeaderStatesTheCountTakenNotTheTextTyped)
{
    auto& f = form();
    for (const char* typed : {"2\r\nX", "2,3"}) {
        SCOPED_TRACE(typed);
        f.tbSamples2.Text = typed;
        rt.chooseFile(folder.file("typed.txt"));
        f.SampleVoltages_Click();
        const auto l = fileLines("typed.txt");
        ASSERT_EQ(l.size(), 3u);
        EXPECT_EQ(fields(l[0]).size(), 7u);
        EXPECT_EQ(fields(l[0])[4], "2 Samples :");
    }
}

// The wait before each sample: what falls due meanwhile runs on time, and
// the event loop turns once per such event, not once per millisecond.
TEST_F(DataCollectionTest, TheWaitBetweenSamplesRunsEventsOnTimeWithoutSpinning)
{
    auto& f = form();
    const long long t0 = rt.now();
    std::vector<long long> ran;
    for (long long ms : {250, 500, 750})
        rt.at(t0 + ms, [&] { ran.push_back(rt.now() - t0); });
    const long long turns0 = rt.doEventsCalls();
    f.Wait_Time(1.0);
    EXPECT_EQ(ran, (std::vector<long long>{250, 500, 750}));
    EXPECT_EQ(rt.now() - t0, 1000);
    EXPECT_LE(rt.doEventsCalls() - turns0, 4);
}

TEST_F(DataCollectionTest, NoSamplesLeavesOnlyTheHeaderLines)
{
    auto& f = form();
    f.tbSamples2.Text = "0";
    rt.chooseFile(folder.file("s.txt"));
    f.cbDataCollect_Click();
    EXPECT_EQ(fileLines("s.txt").size(), 2u);
    rt.chooseFile(folder.file("v.txt"));
    f.SampleVoltages_Click();
    EXPECT_EQ(fileLines("v.txt").size(), 1u);
    EXPECT_FALSE(fileOneOpen());
}

TEST_F(DataCollectionTest, AbortDuringASeriesWritesTheSampleInProgressThenCloses)
{
    auto& f = form();
    f.tbSamples2.Text = "1000";
    rt.chooseFile(folder.file("a.txt"));
    bool visibleWhileRunning = false;
    rt.after(200, [&] {
        visibleWhileRunning = f.cmdAbortDC.Visible;
        f.cmdAbortDC_Click();
    });
    f.SampleVoltages_Click();
    EXPECT_TRUE(visibleWhileRunning);
    const auto l = fileLines("a.txt");
    ASSERT_GE(l.size(), 2u);
    ASSERT_LT(l.size(), 100u);
    // The last line is the sample the counter showed when Abort was pressed.
    EXPECT_EQ(vb::Val(f.lblMeasCount.Caption.get()), static_cast<double>(l.size() - 1));
    EXPECT_EQ(fields(l.back()).size(), 3u);
    EXPECT_FALSE(fileOneOpen());
    EXPECT_FALSE(f.cmdAbortDC.Visible.get());
}

TEST_F(DataCollectionTest, AbortDuringASurveyPauseEndsItAndTakesTheNextSample)
{
    auto& f = form();
    f.tbSamples2.Text = "5";
    rt.chooseFile(folder.file("p.txt"));
    const long long t0 = rt.now();
    rt.after(30000, [&] { f.cmdAbortDC_Click(); });
    f.cbDataCollect_Click();
    const auto l = fileLines("p.txt");
    ASSERT_EQ(l.size(), 4u);  // start, header, the sample before the pause, the one after it
    EXPECT_EQ(fields(l[3])[0], " 1");
    EXPECT_LT(rt.now() - t0, 32000);
    EXPECT_FALSE(fileOneOpen());
}

TEST_F(DataCollectionTest, RefusalsStartNothing)
{
    auto& f = form();
    // Cancelled dialog: no file, no box.
    f.cbDataCollect_Click();
    f.SampleVoltages_Click();
    EXPECT_EQ(rt.dialogs().size(), 2u);
    EXPECT_TRUE(rt.boxes().empty());
    EXPECT_FALSE(fileOneOpen());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    // Auto scan running: the guard's box, no dialog.
    startAutoScan();
    f.cbDataCollect_Click();
    f.SampleVoltages_Click();
    EXPECT_EQ(boxesWith(kBlocked), 2u);
    EXPECT_EQ(rt.dialogs().size(), 2u);
    stopAutoScan();

    // Logging: silently refused.
    rt.chooseFile(folder.file("log.txt"));
    f.cbRecord_Click();
    ASSERT_EQ(f.cbRecord.BackColor.get(), vb::kRunning);
    rt.clearBoxes();
    f.cbDataCollect_Click();
    f.SampleVoltages_Click();
    EXPECT_TRUE(rt.boxes().empty());
    f.cbRecord_Click();

    // Out of the 16-bit sample count: a clear refusal instead of a wrapped count.
    f.tbSamples2.Text = "40000";
    f.SampleVoltages_Click();
    ASSERT_EQ(rt.boxes().size(), 1u);
    EXPECT_NE(rt.boxes()[0].prompt.find("40000"), std::string::npos);

    // No board.
    p().link().UsbConnected = false;
    f.cbDataCollect_Click();
    EXPECT_TRUE(hasBox("USB Device not connected!"));
    EXPECT_EQ(rt.dialogs().size(), 3u);  // only the log's
}

TEST_F(DataCollectionTest, ASecondRunIsRefusedWhileOneOwnsFileOne)
{
    auto& f = form();
    f.tbSamples2.Text = "2";
    rt.chooseFile(folder.file("first.txt"));
    rt.after(20000, [&] {
        rt.chooseFile(folder.file("second.txt"));
        f.SampleVoltages_Click();
        f.cbRecord_Click();  // the log cannot take file number 1 either
    });
    f.cbDataCollect_Click();
    EXPECT_EQ(boxesWith("A data collection run is in progress. Press Abort to end it before starting another."), 1u);
    EXPECT_EQ(fileLines("first.txt").size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("second.txt")));
    EXPECT_EQ(f.cbRecord.BackColor.get(), vb::kIdle);
}

// A sample file that cannot be written ends the run with one box naming the
// file and the reason; the next run is not refused.
TEST_F(DataCollectionTest, AWriteErrorEndsTheRunWithABox)
{
    auto& f = form();
    f.tbSamples2.Text = "3";
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        rt.clearBoxes();
        const std::string path = folder.file("full.txt");
        rt.chooseFile(path);
        {
            ui::FileSizeLimit full(0);
            if (run == 0)
                f.SampleVoltages_Click();
            else
                f.cbDataCollect_Click();
        }
        ASSERT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(rt.boxes()[0].prompt, "Data collection stopped: cannot write to " + path + "\r\nFile too large.");
        EXPECT_FALSE(fileOneOpen());
        EXPECT_FALSE(f.dataCollection.running());
        EXPECT_FALSE(f.cmdAbortDC.Visible.get());
    }
}

// The auto scan started while a run goes on refuses the next conversion: the
// run ends with that one box and writes no line for the sample not measured.
TEST_F(DataCollectionTest, AConversionRefusedMidRunEndsTheRunWithoutItsLine)
{
    auto& f = form();
    for (const bool survey : {true, false}) {
        SCOPED_TRACE(survey ? "survey" : "series");
        rt.clearBoxes();
        f.tbSamples2.Text = survey ? "3" : "200";
        rt.chooseFile(folder.file("refused.txt"));
        // In the survey's first pause; a few samples into the series.
        rt.after(survey ? 30000 : 100, [this] { startAutoScan(); });
        if (survey)
            f.cbDataCollect.userClick();
        else
            f.SampleVoltages.userClick();
        EXPECT_EQ(rt.boxes().size(), 1u);
        EXPECT_EQ(boxesWith(kBlocked), 1u);
        const auto l = fileLines("refused.txt");
        const std::size_t headerLines = survey ? 2 : 1;
        // The counter shows the refused sample; only those before it are written.
        const std::size_t measured = static_cast<std::size_t>(vb::Val(f.lblMeasCount.Caption.get())) - (survey ? 0 : 1);
        ASSERT_EQ(l.size(), headerLines + measured);
        EXPECT_GE(measured, 1u);
        EXPECT_LT(measured, survey ? 3u : 200u);
        EXPECT_FALSE(fileOneOpen());
        stopAutoScan();
    }
}

// Retry after a failed transfer ends the run: no line of values that were not read.
TEST_F(DataCollectionTest, RetryAfterAFailureEndsTheRun)
{
    auto& f = form();
    f.tbSamples2.Text = "5";
    rt.chooseFile(folder.file("series.txt"));
    board().faults.nakAll = true;
    for (int i = 0; i < 50; ++i)
        rt.answerNext(ui::vbRetry);
    f.SampleVoltages.userClick();
    EXPECT_EQ(rt.boxes().size(), 1u);
    EXPECT_EQ(fileLines("series.txt").size(), 1u);  // the header only
    EXPECT_FALSE(fileOneOpen());
}

}  // namespace
}  // namespace monitor_test
