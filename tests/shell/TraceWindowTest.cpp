// The trace window and the About box.
#include <gtest/gtest.h>

#include "program/Program.h"
#include "shell/Doco.h"
#include "shell/frmAbout2.h"
#include "shell/frmStartup.h"
#include "support/HeadlessRuntime.h"

namespace {

TEST(TraceWindow, AddsOnlyWhileTraceOnAndKeepsEarlierText)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.trace("ignored\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "");

    p.form<shell::Doco>().chkTraceOn.userClick();  // the window's switch sets the program's flag
    ASSERT_TRUE(p.TraceOn);
    p.trace("     ");
    p.trace("I2C Register Read  &H49");
    p.trace("\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "     I2C Register Read  &H49\r\n");

    const auto generation = p.form<shell::Doco>().rtxt1.generation();
    p.trace("next\r\n");
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.generation(), generation);  // appended, not replaced
    EXPECT_EQ(p.form<shell::Doco>().rtxt1.Text(), "     I2C Register Read  &H49\r\nnext\r\n");

    p.form<shell::Doco>().chkTraceDetail.userClick();
    EXPECT_TRUE(p.TraceDetail);
}

TEST(TraceWindow, StartupSwitchTurnsTracingOnAndShowsTheWindow)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.form<shell::frmStartup>().chkTrace.userClick();
    EXPECT_TRUE(p.TraceOn);
    EXPECT_TRUE(p.form<shell::Doco>().Visible);
    EXPECT_EQ(p.form<shell::Doco>().chkTraceOn.Value, 1);
    p.form<shell::frmStartup>().chkTrace.userClick();
    EXPECT_FALSE(p.TraceOn);
}

TEST(AboutBox, ShowsModelessWithNameAndVersion)
{
    ui::HeadlessRuntime rt;
    Program p(rt, ProgramOptions{});
    p.form<shell::frmAbout2>().Show();
    EXPECT_TRUE(p.form<shell::frmAbout2>().Visible);
    EXPECT_NE(p.form<shell::frmAbout2>().lblTitle.Caption.get().find("KVN58C3"), std::string::npos);
    EXPECT_EQ(p.form<shell::frmAbout2>().lblVersion.Caption.get().rfind("Version ", 0), 0u);
    p.form<shell::frmAbout2>().cmdOK.userClick();
    EXPECT_FALSE(p.form<shell::frmAbout2>().Visible);
}

}  // namespace
