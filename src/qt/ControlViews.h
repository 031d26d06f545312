#pragma once
// The views of the standard control kinds.
#include <memory>

#include "qt/ControlView.h"

namespace qt {

// The view of a control placed in parent; nullptr for kinds without a widget
// (timers, common dialogs) and for menus, which the window's menu bar shows.
std::unique_ptr<ControlView> makeView(ui::Control& c, QtRuntime& rt, QWidget* parent);

}  // namespace qt
