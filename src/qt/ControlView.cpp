#include "qt/ControlView.h"

#include <QSignalBlocker>

#include "qt/Look.h"
#include "qt/QtRuntime.h"

namespace qt {

ControlView::ControlView(ui::Control& c, QtRuntime& rt, QWidget* widget) : rt_(rt), control_(c), widget_(widget) {}

ControlView::~ControlView() = default;

void ControlView::sync(ui::PropId id)
{
    if (!widget_)
        return;
    const QSignalBlocker block(widget_.data());
    switch (id) {
    case ui::PropId::Geometry:
        widget_->setGeometry(control_.Left, control_.Top, control_.Width, control_.Height);
        break;
    case ui::PropId::Visible: widget_->setVisible(control_.Visible); break;
    case ui::PropId::Enabled: widget_->setEnabled(control_.Enabled); break;
    case ui::PropId::ToolTipText: widget_->setToolTip(QString::fromStdString(control_.ToolTipText)); break;
    case ui::PropId::Font: widget_->setFont(controlFont(control_.FontBold, control_.FontSize)); break;
    case ui::PropId::BackColor:
    case ui::PropId::ForeColor: {
        QString sheet = colourSheet();
        if (!sheet.isEmpty() && widget_->styleSheet() != sheet)
            widget_->setStyleSheet(sheet);
        break;
    }
    default: break;
    }
    syncKind(id);
}

void ControlView::syncAll()
{
    using ui::PropId;
    for (PropId id : {PropId::Geometry, PropId::Enabled, PropId::ToolTipText, PropId::Font, PropId::BackColor,
             PropId::Caption, PropId::List, PropId::Style, PropId::Text, PropId::Value, PropId::ListIndex,
             PropId::FillColor, PropId::BorderColor, PropId::Picture, PropId::Cells, PropId::Tab, PropId::Visible})
        sync(id);
}

void ControlView::fromUser(const std::function<void()>& fn, std::initializer_list<ui::PropId> resync)
{
    if (detached_)
        return;
    rt_.dispatch(fn);
    if (detached_)
        return;
    for (ui::PropId id : resync)
        sync(id);
}

}  // namespace qt
