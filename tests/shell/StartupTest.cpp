// The start-up form: marker files, the mode list and the launch of the other forms.
#include "instruments/frmInst.h"
#include "shell/FormsFixture.h"

namespace {

using forms_test::FormsTest;

class StartupTest : public FormsTest {};

TEST_F(StartupTest, LoadSetsIndentsAndOffersTwoModesWithoutMarkers)
{
    auto& s = p().form<shell::frmStartup>();
    EXPECT_EQ(p().TraceIndent1, std::string(5, ' '));
    EXPECT_EQ(p().TraceIndent2, std::string(10, ' '));
    EXPECT_EQ(p().TraceIndent3, std::string(15, ' '));
    EXPECT_FALSE(p().EngFileFound);
    EXPECT_FALSE(p().TrimFileFound);
    EXPECT_EQ(s.lstMode.ListCount(), 2);
    EXPECT_EQ(s.lstMode.ListIndex.get(), 0);
    EXPECT_FALSE(p().hasForm<chip::KVN58C3_Main>());
}

TEST_F(StartupTest, TrimMarkerInProgramFolderAddsTrimMode)
{
    folder.write("BR549.csv", "");
    auto& s = p().form<shell::frmStartup>();
    EXPECT_TRUE(p().TrimFileFound);
    ASSERT_EQ(s.lstMode.ListCount(), 3);
    s.launch(2);
    EXPECT_TRUE(p().TrimMode);
    EXPECT_EQ(p().BoardPrefix, "KVN58C3");
}

TEST_F(StartupTest, LaunchOpensBoardSetsPinsAndCrossbarAndShowsChipForm)
{
    auto& s = p().form<shell::frmStartup>();
    s.Show();
    s.lstMode.ListIndex = 1;

    s.cmdStart.userClick();

    EXPECT_EQ(p().link().I2CAddress, 0x50);
    EXPECT_TRUE(p().link().UsbConnected);
    EXPECT_EQ(p().BoardPrefix, "KVN58C2");
    EXPECT_FALSE(p().TrimMode);
    EXPECT_FALSE(s.Visible.get());
    EXPECT_TRUE(s.loaded());
    EXPECT_TRUE(p().form<bridge::frmMainF340>().loaded());
    EXPECT_FALSE(p().form<bridge::frmMainF340>().Visible.get());
    auto& f = p().form<chip::KVN58C3_Main>();
    EXPECT_TRUE(f.Visible.get());
    EXPECT_EQ(f.Caption.get(), p().BoardTitle);
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C ADDR");
    EXPECT_TRUE(p().XbarEnabled);
    EXPECT_TRUE(board().bridge().crossbarOn());
    // Pins, then the crossbar from the start-up, then I2C on from the chip form's load.
    ASSERT_GE(board().log.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(board().log[i][1], i < 3 ? usb::bridge::kCmdPortWrite : usb::bridge::kCmdSfrWrite) << i;
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
    auto& s = p().form<shell::frmStartup>();
    EXPECT_THROW(s.cmdExit.userClick(), ui::ProgramEnded);
    EXPECT_TRUE(rt.ended());
}

class StartupStationTest : public FormsTest {};

TEST_F(StartupStationTest, InstrumentMarkerShowsStationAndBridgePanel)
{
    folder.write("RI550.csv", "");
    p().form<shell::frmStartup>();
    EXPECT_TRUE(p().EngFileFound);
    EXPECT_TRUE(p().InstrumentsLoaded);
    ASSERT_TRUE(p().hasForm<instruments::frmInst>());
    EXPECT_TRUE(p().form<instruments::frmInst>().Visible.get());
    EXPECT_TRUE(p().form<bridge::frmMainF340>().Visible.get());
    // The link opened before a mode was chosen; its boxes still carry the board's title.
    p().form<shell::frmStartup>().launch(1);
    EXPECT_EQ(p().link().BoardTitle, "KVN58C2 Evaluation Board");
}

TEST_F(StartupStationTest, WithoutMarkerNoInstrumentFormIsCreated)
{
    p().form<shell::frmStartup>();
    EXPECT_FALSE(p().InstrumentsLoaded);
    EXPECT_FALSE(p().hasForm<instruments::frmInst>());
}

}  // namespace

namespace {

// Without the simulate option the program looks for the real board through
// hidapi; none answers to this vendor ID, whatever is plugged into the machine.
TEST(StartupWithoutBoard, RunsAndSaysNotConnectedOnEveryRegisterAccess)
{
    ui::HeadlessRuntime rt;
    forms_test::TempFolder folder;
    ProgramOptions options;
    options.appPath = folder.path();
    options.simulate = false;
    options.vendorId = 0xFFFE;
    Program p(rt, options);

    p.form<shell::frmStartup>().launch(0);

    EXPECT_EQ(p.simBoard(), nullptr);
    EXPECT_FALSE(p.link().UsbConnected);
    EXPECT_FALSE(p.XbarEnabled);
    chip::KVN58C3_Main& f = p.form<chip::KVN58C3_Main>();
    EXPECT_TRUE(f.Visible.get());
    rt.clearBoxes();
    f.tbRegdata[0x49].Text = "FF";

    f.cbRead_Click(0x49);
    f.cbWrite_Click(0x49);
    f.cbRAMEnable_Click();

    ASSERT_EQ(rt.boxes().size(), 3u);
    for (const auto& box : rt.boxes())
        EXPECT_EQ(box.prompt, "USB Device not connected!");
    EXPECT_EQ(f.tbRegdata[0x49].Text.get(), "FF");
    EXPECT_FALSE(p.I2CBusy);
    EXPECT_THROW(f.cbQuit_Click(), ui::ProgramEnded);
}

}  // namespace
