#include "qt/ValueEdit.h"

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

#include "qt/Look.h"
#include "qt/NumberGlyphs.h"
#include "qt/NumberTiles.h"

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
    // Only the inside of the border shows the value.
    update(inside());
}

QRect ValueEdit::inside() const { return lineEditPanelInside(rect(), hasFrame()); }

void ValueEdit::layOut()
{
    laidOut_ = true;
    number_ = numberWidth(font(), value_, width_);
    glyphsMade_ = false;
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
    else if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)
        laidOut_ = measured_ = false;
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
    update();  // the border loses the focus colour
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
    // A new value repaints the inside only; the border stays as drawn.
    if (const QRect in = inside(); in != rect() && in.contains(e->rect()))
        p.fillRect(in, palette().brush(QPalette::Base));
    else
        paintLineEditPanel(p, rect(), palette(), hasFrame(), false);
    if (value_.isEmpty())
        return;
    if (!measured_) {
        const QFontMetrics fm = fontMetrics();
        fontHeight_ = fm.height();
        fontAscent_ = fm.ascent();
        frameWidth_ = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        measured_ = true;
    }
    // The line edit's contents: inside its frame.
    const int frame = hasFrame() ? frameWidth_ : 0;
    const QRect contents = rect().adjusted(frame, frame, -frame, -frame);
    const QRect line(contents.x() + kHorizontalMargin, contents.y() + (contents.height() - fontHeight_ + 1) / 2,
        contents.width() - 2 * kHorizontalMargin, fontHeight_);
    if (!laidOut_)
        layOut();
    const QPalette& colours = palette();
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
    // A number inside the contents, on a plain background, is copied from
    // the pictures of its characters.
    const QBrush& base = colours.brush(QPalette::Base);
    if (number_ && !clip && base.style() == Qt::SolidPattern &&
        drawNumberTiles(p, QPoint(left, line.y()), font(), fontAscent_, fontHeight_, value_,
            colours.color(QPalette::Text), base.color()))
        return;
    p.setPen(colours.color(QPalette::Text));
    if (clip)
        p.setClipRect(contents);
    if (number_) {
        if (!glyphsMade_)
            glyphsMade_ = numberGlyphs(font(), value_, glyphs_, width_);
        p.drawGlyphRun(QPointF(left, line.y() + fontAscent_), glyphs_);
    } else {
        p.setFont(font());
        p.drawStaticText(QPoint(left, line.y()), text_);
    }
}

}  // namespace qt
