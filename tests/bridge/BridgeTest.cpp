// The bridge form: crossbar, firmware version, and the way out through it.
#include "shell/FormsFixture.h"

namespace {

using forms_test::FormsTest;

class BridgeTest : public FormsTest {};

TEST_F(BridgeTest, CancelInLinkBoxUnloadsEverythingAndEnds)
{
    auto& f = launch();
    board().faults.answerTimeoutCount = 1;  // the read's answer never comes

    EXPECT_THROW(f.cbRead_Click(0x49), ui::ProgramEnded);

    ASSERT_FALSE(rt.boxes().empty());
    EXPECT_EQ(rt.boxes().front().prompt, "Please check USB connection.ReadFile error.");
    EXPECT_TRUE(rt.ended());
    // The chip form's unload ran: I2C went off before the end.
    EXPECT_FALSE(board().bridge().crossbarOn());
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C Disabled");
}

TEST_F(BridgeTest, ClosingBridgeBeforeChipFormEnds)
{
    auto& b = p().form<bridge::frmMainF340>();
    EXPECT_THROW(b.Unload(), ui::ProgramEnded);
    EXPECT_TRUE(rt.ended());
    EXPECT_FALSE(p().hasForm<chip::KVN58C3_Main>());
}

TEST_F(BridgeTest, CrossbarFlagFollowsWhatTheBridgeDid)
{
    auto& b = p().form<bridge::frmMainF340>();
    b.cmdEnableXBAR_Click(0);
    EXPECT_TRUE(p().XbarEnabled);
    EXPECT_EQ(board().bridge().sfr(0xE1), 0x06);

    board().faults.writeFailCount = 1;
    b.cmdEnableXBAR_Click(1);
    EXPECT_TRUE(p().XbarEnabled);  // still on: the bridge never got the command
    EXPECT_EQ(b.lblXbar.Caption.get(), "Not switched");

    b.cmdEnableXBAR[1].userClick();
    EXPECT_FALSE(p().XbarEnabled);
    EXPECT_EQ(board().bridge().sfr(0xE1), 0x00);
}

// The usual case before the udev rule: the board is there, its node not ours to open.
TEST_F(BridgeTest, ABoardFoundButNotOpenedIsNamedWithTheSystemsReason)
{
    board().faults.openDenied = true;
    std::vector<std::string> told;
    p().link().onOpenProblem = [&](const std::string& problem) { told.push_back(problem); };
    auto& b = p().form<bridge::frmMainF340>();
    const std::string problem =
        "Found the board at sim:kvn58-eval but cannot open it: Permission denied. See README, Real board.";
    EXPECT_EQ(b.lblStatus.Caption.get(), problem);
    EXPECT_EQ(told, std::vector<std::string>{problem});

    // The actions still say what they always said.
    auto& f = launch();
    f.cbRead_Click(0x49);
    EXPECT_TRUE(hasBox("USB Device not connected!"));

    board().faults.openDenied = false;
    p().link().OpenBoard();
    EXPECT_EQ(p().link().OpenProblem(), "");
}

TEST_F(BridgeTest, PanelShowsConnectionAndFirmware)
{
    auto& b = p().form<bridge::frmMainF340>();
    EXPECT_EQ(b.lblStatus.Caption.get(), "Connected to Simulated evaluation board (sim:kvn58-eval)");
    b.cmdFirmware.userClick();
    EXPECT_EQ(b.lblFirmware.Caption.get(), sim::Bridge::kFirmwareVersion);
}

}  // namespace
