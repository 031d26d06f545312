// The fatal GPIB report and the open-failure notice.
#include <gtest/gtest.h>

#include "InstTestSupport.h"
#include "gpib/GpibErrors.h"
#include "vb/Strings.h"

namespace {

using insttest::Station;

TEST(GpibErrors, FailedWriteShowsThreeLinesTakesTheUnitOfflineAndEnds)
{
    Station s;
    auto& g = s.gpib();
    const std::string log = s.dir.file("log.txt");
    ASSERT_TRUE(s.rt.files().Open(3, log, ui::OpenMode::Output));
    s.rt.files().Print(3, "kept");

    g.g.CurrentDevice = g.ibdev(0, 7, 0, 12, 1, 0);  // nobody at 7
    g.ibwrt(g.g.CurrentDevice, "*IDN?", 5);
    ASSERT_NE(g.g.ibsta & 0x8000, 0);
    EXPECT_THROW(gpib::ShowGpibError(s.rt, g, "Unable to write to device"), ui::ProgramEnded);

    ASSERT_EQ(s.rt.boxes().size(), 1u);
    const auto& box = s.rt.boxes()[0];
    const std::string text = "Unable to write to device\ribsta = &H8100\riberr = 2 <ENOL>";
    EXPECT_EQ(box.prompt, text + std::string(100 - text.size(), ' '));
    EXPECT_EQ(box.icon, ui::vbCritical);
    EXPECT_EQ(box.buttons, ui::vbOKOnly);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(g.g.GpibErrText, box.prompt);

    const auto offline = s.bus().calls("ibonl");
    ASSERT_EQ(offline.size(), 1u);
    EXPECT_EQ(offline[0].args, std::to_string(g.g.CurrentDevice) + ",0");
    EXPECT_TRUE(s.rt.ended());
    EXPECT_FALSE(s.rt.files().isOpen(3));
    std::ifstream in(log, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept\r\n");
}

TEST(GpibErrors, ErrorNineShowsAnEmptyPairOfAngleBrackets)
{
    Station s;
    auto& g = s.gpib();
    g.g.CurrentDevice = g.ibdev(0, 5, 0, 12, 1, 0);
    s.bus().failNext("ibrd", 9);
    g.ibrd(g.g.CurrentDevice, g.g.GpibReadBuffer, 1024);
    EXPECT_THROW(gpib::ShowGpibError(s.rt, g, "Unable to read from device"), ui::ProgramEnded);
    const std::string text = "Unable to read from device\ribsta = &H8100\riberr = 9 <>";
    EXPECT_EQ(s.rt.boxes().back().prompt, text + std::string(100 - text.size(), ' '));
    EXPECT_EQ(s.bus().calls("ibonl").back().args, std::to_string(g.g.CurrentDevice) + ",0");
}

TEST(GpibErrors, CodesOutsideTheTableShowNoMnemonicAndStillEnd)
{
    EXPECT_EQ(gpib::gpibErrName(28), "EPWR");
    EXPECT_EQ(gpib::gpibErrName(29), "");
    EXPECT_EQ(gpib::gpibErrName(-1), "");

    Station s;
    auto& g = s.gpib();
    g.g.CurrentDevice = g.ibdev(0, 5, 0, 12, 1, 0);
    g.g.ibsta = static_cast<std::int16_t>(0x8100);
    g.g.iberr = 300;
    EXPECT_THROW(gpib::ShowGpibError(s.rt, g, "Unable to read from device"), ui::ProgramEnded);
    EXPECT_EQ(vb::RTrim(s.rt.boxes().back().prompt), "Unable to read from device\ribsta = &H8100\riberr = 300 <>");
    EXPECT_EQ(s.bus().calls("ibonl").size(), 1u);
}

TEST(GpibErrors, OpenFailureNoticeThenTheFatalClearOfTheCounter)
{
    Station s;
    auto& g = s.gpib();
    auto& table = g.g.CounterDevices;
    table[0] = g.ibdev(0, 99, 0, 12, 1, 0);  // an address box that holds no GPIB address
    ASSERT_NE(g.g.ibsta & 0x8000, 0);
    gpib::showOpenFailure(s.rt, g, "Unable to open 53131 device");
    EXPECT_FALSE(s.rt.ended());
    EXPECT_EQ(table[0], -1);  // kept, so it is not opened again

    g.g.CurrentDevice = table[0];
    g.ibclr(g.g.CurrentDevice);
    ASSERT_NE(g.g.ibsta & 0x8000, 0);
    EXPECT_THROW(gpib::ShowGpibError(s.rt, g, "Unable to clear 53131 device"), ui::ProgramEnded);

    ASSERT_EQ(s.rt.boxes().size(), 2u);
    EXPECT_EQ(vb::RTrim(s.rt.boxes()[0].prompt), "Unable to open 53131 device\ribsta = &H8000\riberr = 4");
    EXPECT_EQ(s.rt.boxes()[0].icon, ui::vbCritical);
    EXPECT_EQ(s.rt.boxes()[0].title, "Error");
    EXPECT_EQ(vb::RTrim(s.rt.boxes()[1].prompt), "Unable to clear 53131 device\ribsta = &H8000\riberr = 0 <EDVR>");
    EXPECT_EQ(s.bus().calls("ibonl").back().args, "-1,0");
}

}  // namespace
