// Every form on a 1366 x 768 screen: the window fits with its frame, its title
// bar and a task bar, and scrolls when made smaller; every caption shows whole,
// grids show every column, and no widget a caption widened covers a neighbour
// or crosses its container's edge.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "adutil/frmADUtil.h"
#include "bridge/frmMainF340.h"
#include "chip/KVN58C3_Main.h"
#include "instruments/Test.h"
#include "instruments/frmInst.h"
#include "shell/Doco.h"
#include "shell/frmAbout2.h"
#include "shell/frmStartup.h"

namespace {

// The screen the tests run on (tests/qt/main.cpp), and a task bar on it; a
// window adds a frame and a title bar.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;
constexpr int kTaskBar = 40;
constexpr int kFrame = 16;
constexpr int kTitle = 40;

const std::filesystem::path kAppFolder =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "app/folder";

// The program started with the shipped files in its folder, so the instrument
// station loads its configuration and the start-up form offers every mode.
struct ShippedProgram : qttest::SimulatedProgram {
    ShippedProgram()
    {
        for (const auto& entry : std::filesystem::directory_iterator(kAppFolder))
            QFile::copy(QString::fromStdString(entry.path().string()),
                folder.path() + "/" + QString::fromStdString(entry.path().filename().string()));
    }
};

bool shown(const ui::Control& c)
{
    for (const ui::Control* x = &c; x; x = x->container())
        if (!x->Visible)
            return false;
    return true;
}

std::string nameOf(const ui::Control& c)
{
    return c.index() < 0 ? c.name() : c.name() + "(" + std::to_string(c.index()) + ")";
}

// What a widget shows of its caption or cells that it should not clip; empty when all is seen.
std::string clipped(QWidget& w)
{
    std::ostringstream out;
    if (auto* l = qobject_cast<QLabel*>(&w)) {
        const QRect need = l->fontMetrics().boundingRect(QRect(0, 0, w.width(), 1 << 20), Qt::TextWordWrap, l->text());
        if (need.width() > w.width() || need.height() > w.height())
            out << "label \"" << l->text().toStdString() << "\" needs " << need.width() << "x" << need.height();
    } else if (auto* b = qobject_cast<QPushButton*>(&w)) {
        if (b->fontMetrics().horizontalAdvance(b->text()) > w.width())
            out << "button \"" << b->text().toStdString() << "\"";
    } else if (qobject_cast<QCheckBox*>(&w) || qobject_cast<QRadioButton*>(&w)) {
        if (w.sizeHint().width() > w.width())
            out << "choice \"" << static_cast<QAbstractButton&>(w).text().toStdString() << "\"";
    } else if (auto* g = qobject_cast<QGroupBox*>(&w)) {
        if (g->fontMetrics().horizontalAdvance(g->title()) + 16 > w.width())
            out << "frame title \"" << g->title().toStdString() << "\"";
    } else if (auto* tab = qobject_cast<QTabWidget*>(&w)) {
        if (tab->tabBar()->sizeHint().width() > w.width())
            out << "tab captions";
    } else if (auto* grid = qobject_cast<QTableWidget*>(&w)) {
        for (int c = 0; c < grid->columnCount(); ++c)
            for (int r = 0; r < grid->rowCount(); ++r)
                if (const QTableWidgetItem* item = grid->item(r, c);
                    item && grid->fontMetrics().horizontalAdvance(item->text()) > grid->columnWidth(c))
                    out << "cell " << r << "," << c << " \"" << item->text().toStdString() << "\" ";
        if (grid->horizontalScrollBar()->maximum() > 0)
            out << "columns scroll";
    }
    return out.str();
}

void expectLaidOutForTheScreen(qt::QtRuntime& rt, ui::Form& form)
{
    rt.updateViews();
    qttest::pump(20);
    qt::FormWindow* w = rt.window(form);
    ASSERT_NE(w, nullptr) << form.name();
    // The tab widgets lay out the page on top only; each page takes its place when chosen.
    for (QTabWidget* tabs : w->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            tabs->widget(i)->setGeometry(tabs->currentWidget()->geometry());
    // A form without menus has no menu bar taking its room.
    EXPECT_EQ(w->menuWidget() != nullptr, !form.menus().empty()) << form.name();
    const int menu = w->menuWidget() ? w->menuWidget()->sizeHint().height() : 0;
    EXPECT_LE(form.Width + kFrame, kScreenWidth) << form.name();
    EXPECT_LE(form.Height + menu + kTitle + kTaskBar, kScreenHeight) << form.name();
    // The client area the window really got shows the whole form, without scroll bars.
    const auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->viewport()->width(), form.Width) << form.name();
    EXPECT_EQ(scroll->viewport()->height(), form.Height) << form.name();
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << form.name();
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << form.name();

    struct Placed {
        const ui::Control* control;
        QWidget* widget;
    };
    std::vector<Placed> placed;
    for (const ui::Control* c : form.controls())
        if (QWidget* widget = w->widgetOf(*c); widget && shown(*c))
            placed.push_back({c, widget});
    for (const Placed& p : placed) {
        EXPECT_EQ(clipped(*p.widget), "") << form.name() << "." << nameOf(*p.control);
        EXPECT_TRUE(p.widget->parentWidget()->rect().contains(p.widget->geometry()))
            << form.name() << "." << nameOf(*p.control) << " crosses its container's edge: " << p.widget->geometry().x()
            << "," << p.widget->geometry().y() << " " << p.widget->width() << "x" << p.widget->height() << " in "
            << p.widget->parentWidget()->rect().x() << "," << p.widget->parentWidget()->rect().y() << " "
            << p.widget->parentWidget()->rect().width() << "x" << p.widget->parentWidget()->rect().height();
    }
    // Widgets the design keeps apart stay apart.
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            const Placed& a = placed[i];
            const Placed& b = placed[j];
            if (a.widget->parentWidget() != b.widget->parentWidget() ||
                !a.widget->geometry().intersects(b.widget->geometry()))
                continue;
            const ui::Control& ca = *a.control;
            const ui::Control& cb = *b.control;
            EXPECT_TRUE(
                QRect(ca.Left, ca.Top, ca.Width, ca.Height).intersects(QRect(cb.Left, cb.Top, cb.Width, cb.Height)))
                << form.name() << ": " << nameOf(ca) << " covers " << nameOf(cb);
        }
    }
}

void expectScrollsWhenSmaller(qt::QtRuntime& rt, ui::Form& form)
{
    qt::FormWindow* w = rt.window(form);
    ASSERT_NE(w, nullptr);
    w->resize(400, 300);
    auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    ASSERT_NE(scroll, nullptr);
    qttest::pump(20);
    EXPECT_GE(scroll->horizontalScrollBar()->maximum(), form.Width - 400) << form.name();
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0) << form.name();
}

TEST(QtLayout, EveryFormFitsTheScreenAndShowsEveryCaptionWhole)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(kScreenWidth, kScreenHeight));
    ShippedProgram sim;
    ASSERT_TRUE(sim.folder.isValid());
    qt::QtRuntime& rt = sim.rt;
    Program& program = sim.program;
    rt.dispatch([&program] { program.form<shell::frmStartup>().Show(); });
    expectLaidOutForTheScreen(rt, program.form<shell::frmStartup>());
    rt.dispatch([&program] {
        program.form<shell::frmStartup>().launch(0);
        program.form<instruments::frmInst>().Show();
        program.form<bridge::frmMainF340>().Show();
        program.form<adutil::frmADUtil>().Show();
        program.form<shell::frmAbout2>().Show();
        program.form<shell::Doco>().Show();
        program.form<instruments::Test>().Show();
    });
    // The configuration file's descriptions are in the grid and the panels' captions.
    ASSERT_EQ(program.form<instruments::frmInst>().Grid1.TextMatrix(1, 3), "Agilent 53131 Counter");
    for (ui::Form* form :
        std::initializer_list<ui::Form*>{&program.form<chip::KVN58C3_Main>(), &program.form<instruments::frmInst>(),
            &program.form<bridge::frmMainF340>(), &program.form<adutil::frmADUtil>(), &program.form<shell::frmAbout2>(),
            &program.form<shell::Doco>(), &program.form<instruments::Test>()})
        expectLaidOutForTheScreen(rt, *form);
    expectScrollsWhenSmaller(rt, program.form<chip::KVN58C3_Main>());
    expectScrollsWhenSmaller(rt, program.form<instruments::frmInst>());
}

TEST(QtLayout, TheChipFormOfEveryModeShowsEveryCaptionWhole)
{
    for (int mode : {1, 2}) {
        ShippedProgram sim;
        Program& program = sim.program;
        sim.rt.dispatch([&program, mode] {
            program.form<shell::frmStartup>().Show();
            program.form<shell::frmStartup>().launch(mode);
        });
        SCOPED_TRACE(program.BoardTitle);
        expectLaidOutForTheScreen(sim.rt, program.form<chip::KVN58C3_Main>());
    }
}

}  // namespace
