#pragma once
// The widget of a text box. The program rewrites many of them on every scan,
// so while a box is not being edited it shows its value itself: a new value
// costs a stored string and the paint of one short text (a number drawn from
// cached glyphs, other text laid out once), not the line edit's text layout,
// signals and accessibility updates. As the focus,
// a key or a click arrives, the line edit takes the value over and edits as
// usual; when the focus leaves, the box shows what it holds again.
#include <QGlyphRun>
#include <QLineEdit>
#include <QStaticText>

namespace qt {

class ValueEdit : public QLineEdit {
public:
    explicit ValueEdit(QWidget* parent = nullptr);

    // Shows the value, without the line edit's signals.
    void setValue(const QString& s);
    // What the box shows (the line edit's text() may lag while it is not edited).
    QString value() const { return editing_ ? text() : value_; }
    bool editing() const { return editing_; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void startEditing();
    void stopEditing();
    void showValue(const QString& s);
    void layOut();
    QRect inside() const;

    QString value_;
    bool laidOut_ = false;  // in the widget's font, as one of:
    bool number_ = false;  // a number (its glyphs_ made when it is drawn, not copied) or text_
    bool glyphsMade_ = false;
    QGlyphRun glyphs_;
    QStaticText text_;
    qreal width_ = 0;
    // The font's and the style's measures, taken at the first paint in them.
    bool measured_ = false;
    int fontHeight_ = 0, fontAscent_ = 0, frameWidth_ = 0;
    bool editing_ = false;
};

}  // namespace qt
