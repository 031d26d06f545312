#include "qt/MenuBarView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "qt/QtRuntime.h"

namespace qt {

MenuBarView::MenuBarView(const std::vector<ui::Menu*>& topMenus, QtRuntime& rt, QMenuBar* bar) : rt_(rt)
{
    for (ui::Menu* m : topMenus)
        add(*m, bar, nullptr);
}

void MenuBarView::add(ui::Menu& m, QMenuBar* bar, QMenu* parent)
{
    const QString caption = QString::fromStdString(m.Caption);
    QAction* a = nullptr;
    if (!m.children().empty()) {
        QMenu* sub = bar ? bar->addMenu(caption) : parent->addMenu(caption);
        a = sub->menuAction();
        // Opening a menu raises its Click, so the form can set its items first.
        QObject::connect(sub, &QMenu::aboutToShow, [this, &m] { choose(m); });
        for (ui::Menu* child : m.children())
            add(*child, nullptr, sub);
    } else if (m.Caption.get() == "-") {
        a = bar ? bar->addSeparator() : parent->addSeparator();
    } else {
        a = bar ? bar->addAction(caption) : parent->addAction(caption);
        QObject::connect(a, &QAction::triggered, [this, &m] { choose(m); });
    }
    entries_.push_back({&m, a});
    m.setListener([this, &m, a](ui::PropId) { sync(m, a); });
    sync(m, a);
}

void MenuBarView::sync(const ui::Menu& m, QAction* a)
{
    if (!a->isSeparator())
        a->setText(QString::fromStdString(m.Caption));
    a->setEnabled(m.Enabled);
    a->setVisible(m.Visible);
    a->setCheckable(m.Checked);
    a->setChecked(m.Checked);
}

void MenuBarView::choose(ui::Menu& m)
{
    if (detached_)
        return;
    rt_.dispatch([&m] { m.userClick(); });
    // The action ticks itself when chosen; the item decides.
    if (!detached_)
        if (QAction* a = action(m))
            sync(m, a);
}

QAction* MenuBarView::action(const ui::Menu& m) const
{
    for (const auto& e : entries_)
        if (e.menu == &m)
            return e.action;
    return nullptr;
}

void MenuBarView::detach(bool formAlive)
{
    detached_ = true;
    if (formAlive)
        for (const auto& e : entries_)
            e.menu->setListener(nullptr);
}

}  // namespace qt
