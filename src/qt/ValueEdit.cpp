#include "qt/ValueEdit.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

#include "qt/Look.h"
#include "qt/NumberGlyphs.h"

namespace qt {

namespace {
// The line edit's own margins around its text.
constexpr int kHorizontalMargin = 2;
}  // namespace

ValueEdit::ValueEdit(QWidget* parent) : QLineEdit(parent)
{
    // Both paints fill the whole box: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

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
    if (s != value_)
        showValue(s);
}

void ValueEdit::showValue(const QString& s)
{
    value_ = s;
    laidOut_ = false;
    update();
}

void ValueEdit::layOut()
{
    laidOut_ = true;
    number_ = numberGlyphs(font(), value_, glyphs_, width_);
    if (!number_) {
        text_.setText(value_);
        text_.prepare(QTransform(), font());
        width_ = text_.size().width();
    }
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
    showValue(text());
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
    paintLineEditPanel(p, rect(), palette(), hasFrame(), false);
    if (value_.isEmpty())
        return;
    // The line edit's contents: inside its frame.
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    const QRect contents = rect().adjusted(frame, frame, -frame, -frame);
    const QFontMetrics fm = fontMetrics();
    const QRect line(contents.x() + kHorizontalMargin, contents.y() + (contents.height() - fm.height() + 1) / 2,
        contents.width() - 2 * kHorizontalMargin, fm.height());
    if (!laidOut_)
        layOut();
    p.setPen(palette().color(QPalette::Text));
    // Placed as the line edit places it; a text wider than the box shows its
    // end (where the line edit's cursor is after setText).
    const int used = qRound(width_) + 1;
    const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    int scroll = used - line.width();
    if (used <= line.width())
        scroll = (h & Qt::AlignRight) ? used - line.width() + 1
            : (h & Qt::AlignHCenter)  ? (used - line.width()) / 2
                                      : 0;
    // Only a text that may reach past the contents is clipped: a clip costs
    // the painter a new set of clip spans, as tall as the window.
    const int left = line.x() - scroll;
    const bool clip = left < contents.x() || left + used > contents.x() + contents.width() || line.y() < contents.y() ||
        line.y() + line.height() > contents.y() + contents.height();
    if (clip)
        p.setClipRect(contents);
    if (number_) {
        p.drawGlyphRun(QPointF(left, line.y() + fm.ascent()), glyphs_);
    } else {
        p.setFont(font());
        p.drawStaticText(QPoint(left, line.y()), text_);
    }
}

}  // namespace qt
