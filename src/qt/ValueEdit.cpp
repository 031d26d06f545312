#include "qt/ValueEdit.h"

#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

namespace qt {

namespace {
// The line edit's own margins around its text.
constexpr int kHorizontalMargin = 2;
}  // namespace

void ValueEdit::setValue(const QString& s)
{
    if (editing_) {
        // Only a real difference: re-setting the same text would move the user's cursor.
        if (text() != s) {
            const QSignalBlocker block(this);
            setText(s);
        }
        return;
    }
    if (s == value_)
        return;
    value_ = s;
    shown_.setText(s);
    laidOut_ = false;
    update();
}

bool ValueEdit::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::FocusIn:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::DragEnter: startEditing(); break;
    default: break;
    }
    const bool handled = QLineEdit::event(e);
    if (e->type() == QEvent::FocusOut)
        stopEditing();
    else if (e->type() == QEvent::FontChange)
        laidOut_ = false;
    return handled;
}

void ValueEdit::startEditing()
{
    if (editing_)
        return;
    editing_ = true;
    if (text() != value_) {
        const QSignalBlocker block(this);
        setText(value_);
    }
    update();
}

void ValueEdit::stopEditing()
{
    if (!editing_)
        return;
    editing_ = false;
    value_ = text();
    shown_.setText(value_);
    laidOut_ = false;
    update();
}

void ValueEdit::paintEvent(QPaintEvent* e)
{
    if (editing_) {
        QLineEdit::paintEvent(e);
        return;
    }
    // As the line edit paints a box it does not edit: the style's panel, then
    // the text on one line, clipped to the box.
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    if (value_.isEmpty())
        return;
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const QFontMetrics fm = fontMetrics();
    const QRect line(contents.x() + kHorizontalMargin, contents.y() + (contents.height() - fm.height() + 1) / 2,
        contents.width() - 2 * kHorizontalMargin, fm.height());
    if (!laidOut_) {
        shown_.prepare(QTransform(), font());
        laidOut_ = true;
    }
    p.setFont(font());
    p.setPen(palette().color(QPalette::Text));
    p.setClipRect(contents);
    // Placed as the line edit places it; a text wider than the box shows its
    // end (where the line edit's cursor is after setText).
    const int used = qRound(shown_.size().width()) + 1;
    const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    int scroll = used - line.width();
    if (used <= line.width())
        scroll = (h & Qt::AlignRight) ? used - line.width() + 1
            : (h & Qt::AlignHCenter)  ? (used - line.width()) / 2
                                      : 0;
    p.drawStaticText(QPoint(line.x() - scroll, line.y()), shown_);
}

}  // namespace qt
