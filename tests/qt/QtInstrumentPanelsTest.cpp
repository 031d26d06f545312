// The instrument form on the simulated bus under the offscreen platform: one
// panel of each kind clicked through its real buttons, a label read back.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "QtTestSupport.h"
#include "instruments/frmInst.h"
#include "program/Program.h"
#include "sim/GpibBus.h"

namespace {

using qttest::widgetOf;

// A unit that calls seen() at each message it takes and answers each query.
class Watcher : public sim::GpibInstrument {
public:
    Watcher(int address, std::function<void()> seen) : GpibInstrument(address, 1), seen_(std::move(seen)) {}
    sim::InstrumentKind kind() const override { return sim::InstrumentKind::Supply; }

protected:
    void handle(std::string_view message) override
    {
        seen_();
        if (message.ends_with('?'))
            reply("+0.0");
    }

private:
    std::function<void()> seen_;
};

const std::filesystem::path kShippedFolder =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "app/folder";

struct QtInstrumentPanels : ::testing::Test {
    QTemporaryDir folder;
    qt::QtRuntime rt;
    std::unique_ptr<Program> program;
    instruments::frmInst* f = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"HPYELOF.ICO", "HPYELON.ICO"})
            std::filesystem::copy_file(
                kShippedFolder / name, std::filesystem::path(folder.path().toStdString()) / name);
        ProgramOptions options;
        options.appPath = folder.path().toStdString();
        program = std::make_unique<Program>(rt, options);
        rt.dispatch([this] {
            f = &program->form<instruments::frmInst>();
            f->Show();
        });
        ASSERT_NE(rt.window(*f), nullptr);
    }
    void click(const ui::CommandButton& b)
    {
        auto* w = widgetOf<QPushButton>(rt, b);
        ASSERT_NE(w, nullptr) << b.name();
        w->click();
    }
    // What the user sees of a control: its tab page brought to the front first
    // (the views of pages not shown wait until they are).
    template <class W> W* look(const ui::Control& c)
    {
        for (const ui::Control* in = &c; in->container(); in = in->container())
            if (auto* tabs = dynamic_cast<ui::TabControl*>(in->container()))
                tabs->Tab = in->containerPage();
        qttest::pump(60);
        rt.updateViews();  // a loaded machine may not have drawn a frame yet
        return widgetOf<W>(rt, c);
    }
    QString shown(const ui::Label& l)
    {
        auto* w = look<QLabel>(l);
        return w ? w->text() : QStringLiteral("<no widget>");
    }
};

TEST_F(QtInstrumentPanels, OnePanelOfEachKindByItsButtons)
{
    qt::WindowsFirst windowsFirst(rt);
    program->simGpib()->instrumentAs<sim::Counter53131>(3).noiseHz = 0;
    click(f->cmd53141Init);
    click(f->xms53131_4);
    EXPECT_EQ(shown(f->lblCounter1Read[0]), QStringLiteral("1000000.0000000000"));
    auto* ids = look<QListWidget>(f->ReadingsList53131_1);
    ASSERT_NE(ids, nullptr);
    ASSERT_EQ(ids->count(), 1);
    EXPECT_EQ(ids->item(0)->text(), QStringLiteral("HP,53131A,0,4613"));

    click(f->cmdInitAuxPS);
    program->simGpib()->instrument(5)->queueOutput("+2.50000000E+01\n");
    click(f->cmdAuxPSRdOnly);
    EXPECT_EQ(shown(f->lblLastReadingAuxPS), QStringLiteral("+2.50000000E+01"));

    f->txtDVMAddress[0].Text = "22";
    click(f->cmdDVMSetDC[0]);
    EXPECT_EQ(shown(f->lblDVMControlString[0]), QStringLiteral("F1T1RAN4"));
    click(f->cmdDVMGetMeas[0]);
    EXPECT_TRUE(shown(f->lblDVMReading[0]).endsWith(QStringLiteral(" DCV")));

    click(f->cmdSetVIMODE[0]);
    EXPECT_EQ(shown(f->lbVIlControlString[0]), QStringLiteral("J0XF0,0L.001,7B1.2,2,0P4S3G5,2,0X"));
    auto* operate = widgetOf<QPushButton>(rt, f->cmdVIOperate[0]);
    ASSERT_NE(operate, nullptr);
    EXPECT_FALSE(operate->icon().isNull());
    click(f->cmdVIOperate[0]);
    EXPECT_EQ(shown(f->lblVIMeasureA[0]), QStringLiteral("+1.2000E+00 V"));

    click(f->cmdSWINIT);
    EXPECT_EQ(shown(f->lbl3488ID), QStringLiteral("HP3488A"));
    auto* channel = widgetOf<QRadioButton>(rt, f->OptS1B[1]);
    ASSERT_NE(channel, nullptr);
    channel->click();
    qttest::pump(20);
    EXPECT_EQ(program->simGpib()->instrumentAs<sim::Switch3488>(10).closed, std::vector<std::string>{"111"});
    EXPECT_FALSE(rt.ended());
}

TEST_F(QtInstrumentPanels, AReadingsListShowsEachLineWhileItsHandlerGoesOn)
{
    qt::WindowsFirst windowsFirst(rt);
    // What each list shows as its unit takes a message: the handler is still running.
    auto watch = [this](int address, const ui::ListBox& l, std::vector<int>& shown) {
        auto* list = look<QListWidget>(l);
        ASSERT_NE(list, nullptr);
        program->simGpib()->attach(
            std::make_unique<Watcher>(address, [list, &shown] { shown.push_back(list->count()); }));
    };
    std::vector<int> ids, supply;
    watch(3, f->ReadingsList53131_1, ids);
    click(f->cmd53141Init);
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 1, 1, 1, 1}));  // "*IDN?", then the resets after its line

    watch(5, f->ReadingsListAuxPS_2, supply);
    click(f->cmdInitAuxPS);
    supply.clear();
    click(f->cmdClearRdgAuxPS);
    EXPECT_EQ(supply, (std::vector<int>{0, 0, 1, 2}));  // output off, then three read-backs
}

}  // namespace
