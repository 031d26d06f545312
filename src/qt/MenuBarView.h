#pragma once
// A form's menus as the window's menu bar: one action per menu item, kept in
// step with the item; choosing it runs the item's Click.
#include <vector>

#include "ui/Controls.h"

class QAction;
class QMenu;
class QMenuBar;

namespace qt {

class QtRuntime;

class MenuBarView {
public:
    MenuBarView(const std::vector<ui::Menu*>& topMenus, QtRuntime& rt, QMenuBar* bar);
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;

    // From now on the actions reach nothing; with the form still there, its
    // menu items stop reporting to this view.
    void detach(bool formAlive);
    QAction* action(const ui::Menu& m) const;

private:
    void add(ui::Menu& m, QMenuBar* bar, QMenu* parent);
    void sync(const ui::Menu& m, QAction* a);
    void choose(ui::Menu& m);

    struct Entry {
        ui::Menu* menu;
        QAction* action;
    };
    QtRuntime& rt_;
    std::vector<Entry> entries_;
    bool detached_ = false;
};

}  // namespace qt
