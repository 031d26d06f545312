// The big forms on a 1366 x 768 screen: the window fits, scrolls when smaller,
// and no button clips its caption.
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "QtTestSupport.h"
#include "chip/KVN58C3_Main.h"
#include "instruments/frmInst.h"
#include "program/Program.h"
#include "shell/frmStartup.h"

namespace {

void expectFitsAndCaptionsWhole(qt::QtRuntime& rt, ui::Form& form)
{
    rt.updateViews();
    qt::FormWindow* w = rt.window(form);
    ASSERT_NE(w, nullptr);
    EXPECT_LE(w->width(), 1366) << form.name();
    EXPECT_LE(w->height(), 768) << form.name();
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
        if (b->text().isEmpty())
            continue;
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->width())
            << form.name() << ": \"" << b->text().toStdString() << "\"";
    }
    // Made smaller than the form, the window scrolls to every control.
    w->resize(400, 300);
    auto* scroll = qobject_cast<QScrollArea*>(w->centralWidget());
    ASSERT_NE(scroll, nullptr);
    qttest::pump(20);
    EXPECT_GE(scroll->horizontalScrollBar()->maximum(), form.Width - 400) << form.name();
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0) << form.name();
}

TEST(QtLayout, TheChipAndInstrumentFormsFitTheScreenAndShowEveryButtonCaption)
{
    qttest::SimulatedProgram sim;
    ASSERT_TRUE(sim.folder.isValid());
    qt::QtRuntime& rt = sim.rt;
    Program& program = sim.program;
    rt.dispatch([&program] {
        program.form<shell::frmStartup>().launch(0);
        program.form<instruments::frmInst>().Show();
    });
    expectFitsAndCaptionsWhole(rt, program.form<chip::KVN58C3_Main>());
    expectFitsAndCaptionsWhole(rt, program.form<instruments::frmInst>());
}

}  // namespace
