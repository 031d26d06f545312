// The start-up form: marker files, the mode list and the launch of the other forms.
#include "instruments/frmInst.h"
#include "shell/FormsFixture.h"

namespace {

using forms_test::FormsTest;

class StartupTest : public FormsTest {};

TEST_F(StartupTest, LoadSetsIndentsAndOffersTwoModesWithoutMarkers)
{
    auto& s = p().frmStartup();
    EXPECT_EQ(p().TraceIndent1, std::string(5, ' '));
    EXPECT_EQ(p().TraceIndent2, std::string(10, ' '));
    EXPECT_EQ(p().TraceIndent3, std::string(15, ' '));
    EXPECT_FALSE(p().EngFileFound);
    EXPECT_FALSE(p().TrimFileFound);
    EXPECT_EQ(s.lstMode.ListCount(), 2);
    EXPECT_EQ(s.lstMode.ListIndex.get(), 0);
    EXPECT_FALSE(p().hasKVN58C3_Main());
}

TEST_F(StartupTest, TrimMarkerInProgramFolderAddsTrimMode)
{
    folder.write("BR549.csv", "");
    auto& s = p().frmStartup();
    EXPECT_TRUE(p().TrimFileFound);
    ASSERT_EQ(s.lstMode.ListCount(), 3);
    s.launch(2);
    EXPECT_TRUE(p().TrimMode);
    EXPECT_EQ(p().BoardPrefix, "KVN58C3");
}

TEST_F(StartupTest, LaunchOpensBoardSetsPinsAndCrossbarAndShowsChipForm)
{
    auto& s = p().frmStartup();
    s.Show();
    s.lstMode.ListIndex = 1;

    s.cmdStart.userClick();

    EXPECT_EQ(p().link().I2CAddress, 0x50);
    EXPECT_TRUE(p().link().UsbConnected);
    EXPECT_EQ(p().BoardPrefix, "KVN58C2");
    EXPECT_FALSE(p().TrimMode);
    EXPECT_FALSE(s.Visible.get());
    EXPECT_TRUE(s.loaded());
    EXPECT_TRUE(p().frmMainF340().loaded());
    EXPECT_FALSE(p().frmMainF340().Visible.get());
    auto& f = p().KVN58C3_Main();
    EXPECT_TRUE(f.Visible.get());
    EXPECT_EQ(f.Caption.get(), p().BoardTitle);
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C ADDR");
    EXPECT_TRUE(p().XbarEnabled);
    EXPECT_TRUE(board().bridge().crossbarOn());
    const auto ports = reportsOf(usb::bridge::kCmdPortWrite);
    ASSERT_EQ(ports.size(), 3u);
    for (int port = 0; port < 3; ++port) {
        EXPECT_EQ(ports[static_cast<std::size_t>(port)][2], port);
        EXPECT_EQ(ports[static_cast<std::size_t>(port)][3], 0xFF);
        EXPECT_EQ(ports[static_cast<std::size_t>(port)][4], 0xFF);
    }
    EXPECT_EQ(f.RegName[0x89].Caption.get(), "Memory Mode");
    EXPECT_EQ(f.RegName[0x40].Caption.get(), "Undefined");
    EXPECT_EQ(f.RegName[256].Caption.get(), "Undefined");
}

TEST_F(StartupTest, UnloadEndsProgram)
{
    auto& s = p().frmStartup();
    EXPECT_THROW(s.cmdExit.userClick(), ui::ProgramEnded);
    EXPECT_TRUE(rt.ended());
}

class StartupStationTest : public FormsTest {};


TEST_F(StartupStationTest, InstrumentMarkerShowsStationAndBridgePanel)
{
    folder.write("RI550.csv", "");
    p().frmStartup();
    EXPECT_TRUE(p().EngFileFound);
    EXPECT_TRUE(p().InstrumentsLoaded);
    ASSERT_TRUE(p().hasFrmInst());
    EXPECT_TRUE(p().frmInst().Visible.get());
    EXPECT_TRUE(p().frmMainF340().Visible.get());
}

TEST_F(StartupStationTest, WithoutMarkerNoInstrumentFormIsCreated)
{
    p().frmStartup();
    EXPECT_FALSE(p().InstrumentsLoaded);
    EXPECT_FALSE(p().hasFrmInst());
}

}  // namespace
