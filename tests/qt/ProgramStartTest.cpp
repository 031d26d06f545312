// The whole program on the simulated board under the offscreen platform: the
// start-up form's Start button, then a register read by the chip form's R button.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>

#include "chip/KVN58C3_Main.h"
#include "link/UsbLink.h"
#include "program/Program.h"
#include "qt/FormWindow.h"
#include "qt/QtRuntime.h"
#include "qt/ValueEdit.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"

namespace {

TEST(ProgramStartTest, StartsOnSimulatedBoardAndReadsRegisterByClicking)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    qt::QtRuntime rt;
    rt.titleSuffix = " (simulated)";
    ProgramOptions options;
    options.appPath = folder.path().toStdString();
    options.simulate = true;
    Program program(rt, options);
    const qt::WindowsFirst windowsFirst(rt);

    rt.dispatch([&program] { program.form<shell::frmStartup>().Show(); });
    qt::FormWindow* startWindow = rt.window(program.form<shell::frmStartup>());
    ASSERT_NE(startWindow, nullptr);
    auto* start = qobject_cast<QPushButton*>(startWindow->widgetOf(program.form<shell::frmStartup>().cmdStart));
    ASSERT_NE(start, nullptr);
    start->click();

    ASSERT_TRUE(program.hasForm<chip::KVN58C3_Main>());
    chip::KVN58C3_Main& form = program.form<chip::KVN58C3_Main>();
    qt::FormWindow* window = rt.window(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(startWindow->isVisible());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("simulated")));
    EXPECT_EQ(form.FrI2C.Caption.get(), "I2C ADDR");

    // The value box shows what the chip holds once R is clicked.
    form.SSTab1.Tab = chip::kPageUser;
    auto* box = dynamic_cast<qt::ValueEdit*>(window->widgetOf(form.tbRegdata[0x49]));
    auto* read = qobject_cast<QPushButton*>(window->widgetOf(form.cbRead[0x49]));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(read, nullptr);
    form.tbRegdata[0x49].Text = "--";
    read->click();
    const std::string expected = usb::ByteToHex2(program.simBoard()->chip().peek(0x49));
    EXPECT_EQ(form.tbRegdata[0x49].Text.get(), expected);
    rt.updateViews();
    EXPECT_EQ(box->value().toStdString(), expected);
    EXPECT_EQ(form.ShpNak.FillColor.get(), vb::QBColor(10));
}

}  // namespace
