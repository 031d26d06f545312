#include "qt/ControlView.h"

#include <QEvent>
#include <QSignalBlocker>

#include "qt/Fitting.h"
#include "qt/QtRuntime.h"

namespace qt {

namespace {

using ui::PropId;

constexpr std::uint32_t bit(PropId id) { return 1u << static_cast<unsigned>(id); }
static_assert(static_cast<unsigned>(PropId::Style) < 32, "the dirty mask holds one bit per property");

// The order a view catches up in: placement and state first, then what the
// kinds build on (lists before their index), visibility last.
constexpr PropId kCatchUpOrder[] = {PropId::Geometry, PropId::Enabled, PropId::ToolTipText, PropId::Font,
    PropId::BackColor, PropId::Caption, PropId::List, PropId::Style, PropId::Text, PropId::Value, PropId::ListIndex,
    PropId::FillColor, PropId::BorderColor, PropId::Picture, PropId::Cells, PropId::Tab, PropId::Visible};

// What a widened widget depends on.
constexpr std::uint32_t kFitInputs = bit(PropId::Geometry) | bit(PropId::Caption) | bit(PropId::Font) |
    bit(PropId::Style) | bit(PropId::Picture) | bit(PropId::Cells);

}  // namespace

// Catches the view up when its widget is shown (its tab page chosen, its window shown again).
class ControlView::ShowWatch : public QObject {
public:
    explicit ShowWatch(ControlView& v) : v_(v) { v_.widget_->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show && v_.dirty_ != 0 && !v_.marked_)
            v_.catchUpNow();
        return false;
    }

private:
    ControlView& v_;
};

ControlView::ControlView(ui::Control& c, QtRuntime& rt, QWidget* widget) : rt_(rt), control_(c), widget_(widget) {}

ControlView::~ControlView()
{
    if (marked_)
        rt_.viewUpdates().forget(*this);
}

void ControlView::changed(PropId id)
{
    // Both colours are shown by one palette change.
    dirty_ |= bit(id == PropId::ForeColor ? PropId::BackColor : id);
    if (!marked_) {
        marked_ = true;
        rt_.viewUpdates().mark(*this);
    }
}

void ControlView::catchUp()
{
    marked_ = false;
    // A widget hidden by its own control still follows Visible (and shows the
    // rest as it appears); one hidden with its page or window waits to be shown.
    if (widget_ && !widget_->isVisible() && !(dirty_ & bit(PropId::Visible))) {
        if (!showWatch_)
            showWatch_ = std::make_unique<ShowWatch>(*this);
        return;
    }
    catchUpNow();
}

void ControlView::catchUpNow()
{
    const std::uint32_t dirty = dirty_;
    dirty_ = 0;
    for (PropId id : kCatchUpOrder)
        if (dirty & bit(id))
            show(id);
    if (widget_ && (dirty & kFitInputs))
        fit();
}

void ControlView::sync(PropId id)
{
    show(id);
    if (widget_ && (bit(id) & kFitInputs))
        fit();
}

void ControlView::show(PropId id)
{
    if (!widget_)
        return;
    const QSignalBlocker block(widget_.data());
    switch (id) {
    case PropId::Geometry: place(*widget_, QRect(control_.Left, control_.Top, control_.Width, control_.Height)); break;
    case PropId::Visible: widget_->setVisible(control_.Visible); break;
    case PropId::Enabled: widget_->setEnabled(control_.Enabled); break;
    case PropId::ToolTipText: widget_->setToolTip(QString::fromStdString(control_.ToolTipText)); break;
    case PropId::Font: widget_->setFont(controlFont(control_.FontBold, control_.FontSize)); break;
    case PropId::BackColor:
    case PropId::ForeColor: syncColours(); break;
    default: break;
    }
    syncKind(id);
}

void ControlView::syncColours()
{
    const std::optional<ColourRoles> roles = colourRoles();
    if (!roles)
        return;
    const vb::Color back = control_.BackColor, fore = control_.ForeColor;
    if (coloured_ && back == shownBack_ && fore == shownFore_)
        return;
    showColours(*roles, back, fore);
    coloured_ = true;
    shownBack_ = back;
    shownFore_ = fore;
}

void ControlView::showColours(const ColourRoles& roles, vb::Color back, vb::Color fore)
{
    setColours(*widget_, roles, back, fore);
}

void ControlView::syncAll()
{
    for (PropId id : kCatchUpOrder)
        show(id);
    if (widget_)
        fit();
}

void ControlView::fromUser(const std::function<void()>& fn, std::initializer_list<PropId> resync)
{
    if (detached_)
        return;
    rt_.dispatch(fn);
    if (detached_)
        return;
    for (PropId id : resync)
        sync(id);
}

}  // namespace qt
