#include "qt/Look.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <utility>

namespace qt {

namespace {

const QColor kBorder(0x7A, 0x7A, 0x7A);
const QColor kDisabledBorder(0xAD, 0xAD, 0xAD);
const QColor kFocusBorder(0x3C, 0x7F, 0xB1);
const QColor kPressedBorder(0x3C, 0x3C, 0x3C);
const QColor kDisabledText(0x8C, 0x8C, 0x8C);

// Fusion, but a button's panel is one flat fill of its palette's button colour
// with a thin border that shows focus, pressed and disabled.
class FlatStyle : public QProxyStyle {
public:
    FlatStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p, const QWidget* w) const override
    {
        if (pe == PE_PanelButtonCommand) {
            const bool enabled = opt->state & State_Enabled;
            const bool pressed = opt->state & (State_Sunken | State_On);
            const QColor border = !enabled      ? kDisabledBorder
                : pressed                       ? kPressedBorder
                : (opt->state & State_HasFocus) ? kFocusBorder
                                                : kBorder;
            const int width = pressed && enabled ? 2 : 1;
            p->save();
            p->fillRect(opt->rect, opt->palette.brush(QPalette::Button));
            p->setPen(QPen(border, width));
            p->setBrush(Qt::NoBrush);
            const qreal inset = width / 2.0;
            p->drawRect(QRectF(opt->rect).adjusted(inset, inset, -inset, -inset));
            p->restore();
            return;
        }
        if (pe == PE_PanelLineEdit) {
            // The value boxes repaint all through a scan: a flat fill and a
            // thin border, not the style's antialiased rounded frame.
            const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(opt);
            paintLineEditPanel(*p, opt->rect, opt->palette, frame && frame->lineWidth > 0,
                (opt->state & State_HasFocus) && (opt->state & State_Enabled));
            return;
        }
        if (pe == PE_FrameFocusRect && qobject_cast<const QPushButton*>(w))
            return;  // the border shows the focus
        QProxyStyle::drawPrimitive(pe, opt, p, w);
    }

    // A scroll bar in flat fills: a trace scrolling on every line repaints its
    // bar each time, and the style's gradients were most of that paint.
    void drawComplexControl(
        ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p, const QWidget* w) const override
    {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(opt);
        if (cc != CC_ScrollBar || !bar) {
            QProxyStyle::drawComplexControl(cc, opt, p, w);
            return;
        }
        const bool enabled = opt->state & State_Enabled;
        const bool horizontal = bar->orientation == Qt::Horizontal;
        p->save();
        p->fillRect(opt->rect, opt->palette.brush(QPalette::Window).color().darker(kTrackDarker));
        const auto part = [&](SubControl sc, const QRect& r) {
            const bool pressed = enabled && (bar->activeSubControls & sc) && (opt->state & State_Sunken);
            p->fillRect(r,
                pressed ? opt->palette.brush(QPalette::Button).color().darker(kPressedDarker)
                        : opt->palette.brush(QPalette::Button).color());
            p->setPen(enabled ? kBorder : kDisabledBorder);
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.adjusted(0, 0, -1, -1));
        };
        if (const QRect r = subControlRect(cc, bar, SC_ScrollBarSlider, w); enabled && r.isValid())
            part(SC_ScrollBarSlider, r);
        for (const auto& [sc, arrow] :
            {std::pair{SC_ScrollBarSubLine, horizontal ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp},
                std::pair{SC_ScrollBarAddLine, horizontal ? PE_IndicatorArrowRight : PE_IndicatorArrowDown}}) {
            const QRect r = subControlRect(cc, bar, sc, w);
            if (!r.isValid())
                continue;
            part(sc, r);
            QStyleOption a(*opt);
            a.rect = r;
            drawPrimitive(arrow, &a, p, w);
        }
        p->restore();
    }

private:
    // How much darker than the window the track is, and a pressed part than a button (percent).
    static constexpr int kTrackDarker = 110;
    static constexpr int kPressedDarker = 120;
};

}  // namespace

void applyLook()
{
    QApplication::setStyle(new FlatStyle);
    QPalette pal = QApplication::style()->standardPalette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, kDisabledText);
    QApplication::setPalette(pal);
    // The forms are laid out in pixels for a small dialog font.
    QFont f = QApplication::font();
    f.setPointSize(8);
    QApplication::setFont(f);
}

QColor toQColor(vb::Color c) { return QColor::fromRgb(static_cast<QRgb>(c & 0xFFFFFFu) | 0xFF000000u); }

void setColours(QPalette& pal, const ColourRoles& roles, vb::Color back, vb::Color fore)
{
    const QColor b = toQColor(back), f = toQColor(fore);
    for (auto [backRole, foreRole] : {std::pair{roles.back, roles.fore}, std::pair{roles.back2, roles.fore2}}) {
        if (backRole == QPalette::NoRole)
            continue;
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(g, backRole, b);
            pal.setColor(g, foreRole, f);
        }
        // A disabled control keeps its fill; only its text greys.
        pal.setColor(QPalette::Disabled, backRole, b);
    }
}

void setColours(QWidget& w, const ColourRoles& roles, vb::Color back, vb::Color fore)
{
    QPalette pal = w.palette();
    setColours(pal, roles, back, fore);
    w.setPalette(pal);
    if (roles.fillsBackground && !w.autoFillBackground())
        w.setAutoFillBackground(true);
}

QRect lineEditPanelInside(const QRect& r, bool frame)
{
    return frame && r.width() >= 2 && r.height() >= 2 ? r.adjusted(1, 1, -1, -1) : r;
}

void paintLineEditPanel(QPainter& p, const QRect& r, const QPalette& palette, bool frame, bool focused)
{
    const QRect inside = lineEditPanelInside(r, frame);
    // The border's colour over the whole box, then the base inside it: two
    // fills, the raster engine's fastest way to a thin border.
    if (inside != r)
        p.fillRect(r, focused ? kFocusBorder : kBorder);
    p.fillRect(inside, palette.brush(QPalette::Base));
}

QFont controlFont(bool bold, int pointSize)
{
    QFont f = QApplication::font();
    f.setBold(bold);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    return f;
}

}  // namespace qt
