#pragma once
// The widget of a text box. The program rewrites many of them on every scan,
// so while a box is not being edited it shows its value itself: a new value
// costs a stored string and the paint of one short text laid out once, not
// the line edit's text layout, signals and accessibility updates. As the focus,
// a key or a click arrives, the line edit takes the value over and edits as
// usual; when the focus leaves, the box shows what it holds again.
#include <QLineEdit>
#include <QStaticText>

namespace qt {

class ValueEdit : public QLineEdit {
public:
    explicit ValueEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

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

    QString value_;
    QStaticText shown_;
    bool laidOut_ = false;  // shown_ is laid out in the widget's font
    bool editing_ = false;
};

}  // namespace qt
