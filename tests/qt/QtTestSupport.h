#pragma once
// Helpers of the Qt tests: finding a control's widget, typing into it.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

#include "program/Program.h"
#include "qt/FormWindow.h"
#include "qt/QtRuntime.h"

namespace qttest {

// The program on the simulated board with a scratch folder as its program
// folder; its windows go before the forms they show.
struct SimulatedProgram {
    QTemporaryDir folder;
    qt::QtRuntime rt;
    Program program{rt, optionsFor(folder)};
    qt::WindowsFirst windowsFirst{rt};

    static ProgramOptions optionsFor(const QTemporaryDir& folder)
    {
        ProgramOptions options;
        options.appPath = folder.path().toStdString();
        options.simulate = true;
        return options;
    }
};

template <class W> W* widgetOf(qt::QtRuntime& rt, const ui::Control& c)
{
    qt::FormWindow* w = rt.window(c.form());
    return w ? dynamic_cast<W*>(w->widgetOf(c)) : nullptr;
}

// Key presses as the user's typing delivers them.
inline void type(QWidget* w, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

// Pumps Qt's events for a while.
inline void pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace qttest
