#pragma once
// The view of one control: a widget kept in step with the control both ways.
// The control tells the view every property change, which only marks it; the
// runtime's frame brings it up to date (catchUp). A widget that is not on
// screen (its window hidden, its tab page not the current one) is left alone
// and catches up as it is shown. The widget's signals go back to the control
// through the runtime's dispatch (fromUser).
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include <QPointer>
#include <QWidget>

#include "qt/Look.h"
#include "ui/Control.h"

namespace qt {

class QtRuntime;

class ControlView {
public:
    ControlView(ui::Control& c, QtRuntime& rt, QWidget* widget);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    ui::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // Where the controls this one contains are placed (a frame, a tab page).
    virtual QWidget* childArea(int /*page*/) { return widget_; }

    // The control changed: shown at the next frame.
    void changed(ui::PropId id);
    // Shows every property marked since the last frame; a widget not on screen
    // keeps them until it is shown.
    void catchUp();
    // Shows the control's property in the widget, without the widget's signals
    // echoing it back.
    void sync(ui::PropId id);
    void syncAll();

    // From now on the widget's signals reach nothing (the window is going away).
    void detach() { detached_ = true; }

protected:
    // The kind's own properties; the shared ones are done by sync().
    virtual void syncKind(ui::PropId id) = 0;
    // Widens the widget where its content needs more than the designed
    // rectangle (see Fitting.h); runs once after the placement, caption, font,
    // style, picture or cells changed.
    virtual void fit() {}
    // The palette roles of the control's colours; none: the kind keeps the style's.
    virtual std::optional<ColourRoles> colourRoles() const { return std::nullopt; }
    // Shows the control's colours in those roles (the widget's palette unless the kind paints them).
    virtual void showColours(const ColourRoles& roles, vb::Color back, vb::Color fore);

    // Runs the user's input in the form code, then shows the given properties
    // again (the handler may have refused or changed them).
    void fromUser(const std::function<void()>& fn, std::initializer_list<ui::PropId> resync);

    QtRuntime& rt_;

private:
    class ShowWatch;
    void show(ui::PropId id);
    void syncColours();
    void catchUpNow();

    ui::Control& control_;
    QPointer<QWidget> widget_;
    bool detached_ = false;
    std::uint32_t dirty_ = 0;  // one bit per ui::PropId
    bool marked_ = false;
    std::unique_ptr<ShowWatch> showWatch_;  // made once the widget first waits to be shown
    // The colours the palette shows, so an unchanged colour costs nothing.
    bool coloured_ = false;
    vb::Color shownBack_ = 0, shownFore_ = 0;
};

}  // namespace qt
