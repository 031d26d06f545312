// Menus, I2C switching and the end of the program on the chip form.
#include "shell/FormsFixture.h"

namespace {

using forms_test::FormsTest;

class MenusTest : public FormsTest {};

TEST_F(MenusTest, DisableWaitsForLockThenPausesBeforeCrossbarOff)
{
    auto& f = launch();
    ASSERT_TRUE(board().bridge().crossbarOn());
    p().I2CBusy = true;
    const long long t0 = rt.now();
    bool onWhileHeld = false;
    rt.after(40, [&] { onWhileHeld = board().bridge().crossbarOn(); });
    rt.after(50, [&] { p().I2CBusy = false; });  // the holder finishes

    f.mnuDisableI2C_Click();

    EXPECT_TRUE(onWhileHeld);
    EXPECT_GE(rt.now() - t0, 50 + 500);
    EXPECT_LT(rt.now() - t0, 50 + 500 + 100);
    EXPECT_FALSE(board().bridge().crossbarOn());
    EXPECT_FALSE(p().XbarEnabled);
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C Disabled");
    EXPECT_FALSE(f.FrNak.Visible.get());
}

TEST_F(MenusTest, DisableOverrulesALockNobodyReleasesAfterTenThousandPasses)
{
    auto& f = launch();
    p().I2CBusy = true;
    const long long calls0 = rt.doEventsCalls();

    f.mnuDisableI2C_Click();

    EXPECT_FALSE(p().I2CBusy);
    EXPECT_GE(rt.doEventsCalls() - calls0, 10001);
    EXPECT_LE(rt.doEventsCalls() - calls0, 10003);
    EXPECT_FALSE(board().bridge().crossbarOn());
}

TEST_F(MenusTest, EnableTwiceSendsCrossbarOnTwice)
{
    auto& f = launch();
    f.mnuDisableI2C_Click();
    const std::size_t from = board().log.size();

    f.mnuEnableI2C_Click();
    f.mnuEnableI2C_Click();

    const auto sfr = reportsOf(usb::bridge::kCmdSfrWrite, from);
    ASSERT_EQ(sfr.size(), 2u);
    for (const auto& r : sfr) {
        EXPECT_EQ(r[2], 0xE1);
        EXPECT_EQ(r[3], 0x06);
    }
    EXPECT_EQ(f.FrI2C.Caption.get(), "I2C ADDR");
    EXPECT_TRUE(f.FrNak.Visible.get());
    EXPECT_TRUE(p().XbarEnabled);
}

TEST_F(MenusTest, QuitClosesFileOneSwitchesI2cOffAndEnds)
{
    auto& f = launch();
    ASSERT_TRUE(rt.files().Open(1, folder.file("log.txt"), ui::OpenMode::Output));
    rt.files().Print(1, "header");

    EXPECT_THROW(f.cbQuit_Click(), ui::ProgramEnded);

    EXPECT_TRUE(rt.ended());
    EXPECT_FALSE(rt.files().isOpen(1));
    EXPECT_EQ(folder.read("log.txt"), "header\r\n");
    EXPECT_FALSE(board().bridge().crossbarOn());
    // Handles closed: a transfer now fails to write.
    EXPECT_EQ(p().link().SfrWrite(0xE1, 0x06), usb::kStatusWriteFailed);
}

TEST_F(MenusTest, AboutAndBridgeMenusShowTheirForms)
{
    auto& f = launch();
    ASSERT_FALSE(p().form<bridge::frmMainF340>().Visible.get());
    f.mnuabout.userClick();
    EXPECT_TRUE(p().form<shell::frmAbout2>().Visible.get());
    f.mnumainshow.userClick();
    EXPECT_TRUE(p().form<bridge::frmMainF340>().Visible.get());
}

}  // namespace
