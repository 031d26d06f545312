#pragma once
// The window of a form: a widget per control at the control's place, the menu
// bar, the form's caption (plus the runtime's title suffix) and its size.
// Closing it unloads the form.
#include <map>
#include <memory>

#include <QMainWindow>

#include "ui/Form.h"

namespace qt {

class ControlView;
class MenuBarView;
class QtRuntime;

class FormWindow : public QMainWindow {
public:
    FormWindow(ui::Form& form, QtRuntime& rt);
    ~FormWindow() override;

    ui::Form& form() const { return form_; }
    // Adds the views of controls created since the last show, then shows the window.
    void showForm();
    // The forms are gone: the window must not touch them again.
    void abandon() { formAlive_ = false; }

    // The widget showing a control (nullptr for menus, timers, dialogs).
    QWidget* widgetOf(const ui::Control& c) const;
    QAction* actionOf(const ui::Menu& m) const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void addViews();
    ControlView* viewFor(ui::Control& c, int depth);
    void syncForm(ui::PropId id);
    // The form's size, or the screen's room when that is smaller (then it scrolls).
    void fitToScreen();

    ui::Form& form_;
    QtRuntime& rt_;
    QWidget* content_;
    std::map<const ui::Control*, std::unique_ptr<ControlView>> views_;
    std::unique_ptr<MenuBarView> menus_;
    bool formAlive_ = true;
};

}  // namespace qt
