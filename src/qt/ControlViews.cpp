#include "qt/ControlViews.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QTimer>

#include "qt/Fitting.h"
#include "qt/Look.h"
#include "qt/NumberGlyphs.h"
#include "qt/PictureWidget.h"
#include "qt/QtRuntime.h"
#include "qt/ValueEdit.h"
#include "ui/PictureBox.h"

namespace qt {

namespace {

using ui::PropId;

QString q(const std::string& s) { return QString::fromStdString(s); }

void run(const ui::Handler& h)
{
    if (h)
        h();
}

// The width a push button needs to show its whole caption (and its picture).
int captionWidth(const QPushButton& b)
{
    int need = textAdvance(b.font(), b.text());
    if (!b.icon().isNull())
        need += b.iconSize().width() + 4;
    return need + 2 * b.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &b) + 4;
}

// Labels, check and option buttons and frames fill their rectangle; the fields
// (text, list, grid) paint their base.
const ColourRoles kFilled{QPalette::Window, QPalette::WindowText, true};
const ColourRoles kField{QPalette::Base, QPalette::Text};

Qt::Alignment alignmentOf(int a)
{
    switch (a) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// A control view whose widget is of type W.
template <class M, class W> class View : public ControlView {
public:
    View(M& m, QtRuntime& rt, W* w) : ControlView(m, rt, w), m_(m), w_(w) {}

protected:
    M& m_;
    W* w_;  // owned by the window; alive as long as this view is used
};

// A push button that paints its colours itself. The program recolours buttons
// while it runs (a busy button, a memory indicator); a palette change makes Qt
// recount which widgets of the whole window are opaque.
class ColourButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    void setColours(const ColourRoles& roles, vb::Color back, vb::Color fore)
    {
        roles_ = roles;
        back_ = back;
        fore_ = fore;
        coloured_ = true;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        if (coloured_)
            qt::setColours(option.palette, roles_, back_, fore_);
        p.drawControl(QStyle::CE_PushButton, option);
    }

private:
    ColourRoles roles_{QPalette::Button, QPalette::ButtonText};
    vb::Color back_ = 0, fore_ = 0;
    bool coloured_ = false;
};

class ButtonView : public View<ui::CommandButton, ColourButton> {
public:
    ButtonView(ui::CommandButton& b, QtRuntime& rt, QWidget* parent) : View(b, rt, new ColourButton(parent))
    {
        w_->setAutoDefault(false);
        QObject::connect(w_, &QPushButton::clicked, [this] { fromUser([this] { m_.userClick(); }, {}); });
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption) {
            if (const QString s = q(m_.Caption); w_->text() != s)
                w_->setText(s);
        } else if (id == PropId::Picture) {
            const ui::Image& img = m_.Picture.get();
            if (img.empty()) {
                w_->setIcon(QIcon());
                return;
            }
            const QImage image(
                reinterpret_cast<const uchar*>(img.pixels.data()), img.width, img.height, QImage::Format_ARGB32);
            w_->setIcon(QIcon(QPixmap::fromImage(image.copy())));
            w_->setIconSize(QSize(img.width, img.height));
        }
    }
    std::optional<ColourRoles> colourRoles() const override
    {
        return ColourRoles{QPalette::Button, QPalette::ButtonText};
    }
    void showColours(const ColourRoles& roles, vb::Color back, vb::Color fore) override
    {
        w_->setColours(roles, back, fore);
    }
    // Measures the caption only when something it depends on changed: a
    // caption set and set back within a frame costs nothing.
    void fit() override
    {
        Fitted now{w_->text(), w_->font(), w_->icon().cacheKey(), QRect(m_.Left, m_.Top, m_.Width, m_.Height)};
        if (fitted_ && *fitted_ == now)
            return;
        place(*w_, widened(m_, captionWidth(*w_), Grow::BothSides));
        fitted_ = std::move(now);
    }

private:
    struct Fitted {
        QString caption;
        QFont font;
        qint64 icon;
        QRect design;
        bool operator==(const Fitted&) const = default;
    };
    std::optional<Fitted> fitted_;
};

class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && onClick)
            onClick();
    }
    // A reading on one line is drawn from its glyphs, where the label would
    // shape and lay it out on every paint; anything else as the label paints it.
    void paintEvent(QPaintEvent* e) override
    {
        if (!paintNumber())
            QLabel::paintEvent(e);
    }

private:
    bool paintNumber()
    {
        const QString t = text();
        // A trailing space is not counted in the width the label aligns.
        if (t.isEmpty() || t.endsWith(QLatin1Char(' ')) || !isEnabled() || frameWidth() != 0 || margin() != 0 ||
            indent() > 0 || textFormat() != Qt::PlainText || !(alignment() & Qt::AlignTop))
            return false;
        QGlyphRun run;
        qreal width = 0;
        if (!numberGlyphs(font(), t, run, width))
            return false;
        // Placed as the style places a label's text: at the top of the
        // contents, aligned across them; one that needs a second line or a
        // clip is left to the label.
        const QRect r = contentsRect();
        const QFontMetricsF fm(font());
        if (width > r.width() || fm.height() > r.height())
            return false;
        const Qt::Alignment h = QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
        const qreal x = (h & Qt::AlignRight) ? r.width() - width : (h & Qt::AlignHCenter) ? (r.width() - width) / 2 : 0;
        QPainter p(this);
        p.setPen(palette().color(foregroundRole()));
        p.drawGlyphRun(QPointF(r.x() + x, r.y() + fm.ascent()), run);
        return true;
    }
};

class LabelView : public View<ui::Label, ClickableLabel> {
public:
    LabelView(ui::Label& l, QtRuntime& rt, QWidget* parent) : View(l, rt, new ClickableLabel(parent))
    {
        w_->setTextFormat(Qt::PlainText);
        w_->setWordWrap(true);
        w_->onClick = [this] { fromUser([this] { run(m_.Click); }, {}); };
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption)
            w_->setText(q(m_.Caption));
        else if (id == PropId::Style)
            w_->setAlignment(alignmentOf(m_.Alignment) | Qt::AlignTop);
    }
    // A caption that fits wrapped in the designed rectangle stays so; one that
    // does not widens the label to its longest line.
    void fit() override
    {
        const QFontMetrics fm = w_->fontMetrics();
        const QString text = w_->text();
        // The usual case, one line that fits, without laying the text out.
        if (!text.contains(QLatin1Char('\n')) && textAdvance(w_->font(), text) <= m_.Width) {
            place(*w_, QRect(m_.Left, m_.Top, m_.Width, m_.Height));
            return;
        }
        constexpr int kUnbounded = 1 << 20;
        const QRect wrapped = fm.boundingRect(QRect(0, 0, m_.Width, kUnbounded), Qt::TextWordWrap, text);
        const bool fits = wrapped.width() <= m_.Width && wrapped.height() <= m_.Height;
        const int need = fits ? m_.Width : fm.boundingRect(QRect(0, 0, kUnbounded, kUnbounded), 0, text).width() + 1;
        place(*w_, widened(m_, need, growFor(alignmentOf(m_.Alignment))));
    }
    std::optional<ColourRoles> colourRoles() const override { return kFilled; }
};

class TextView : public View<ui::TextBox, ValueEdit> {
public:
    TextView(ui::TextBox& t, QtRuntime& rt, QWidget* parent) : View(t, rt, new ValueEdit(parent))
    {
        QObject::connect(w_, &QLineEdit::textEdited,
            [this](const QString& s) { fromUser([this, &s] { m_.Text = s.toStdString(); }, {PropId::Text}); });
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Text) {
            w_->setValue(q(m_.Text));
        } else if (id == PropId::Font) {
            // Text on whole pixels (fully hinted), edited or not: a reading is
            // then copied from pictures of its characters (NumberTiles).
            QFont f = w_->font();
            f.setHintingPreference(QFont::PreferFullHinting);
            w_->setFont(f);
        } else if (id == PropId::Style) {
            w_->setReadOnly(m_.Locked);
            w_->setAlignment(alignmentOf(m_.Alignment) | Qt::AlignVCenter);
        }
    }
    std::optional<ColourRoles> colourRoles() const override { return kField; }
};

class CheckView : public View<ui::CheckBox, QCheckBox> {
public:
    CheckView(ui::CheckBox& c, QtRuntime& rt, QWidget* parent) : View(c, rt, new QCheckBox(parent))
    {
        QObject::connect(w_, &QCheckBox::clicked, [this] { fromUser([this] { m_.userClick(); }, {PropId::Value}); });
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption) {
            w_->setText(q(m_.Caption));
        } else if (id == PropId::Value) {
            const int v = m_.Value;
            w_->setTristate(v == 2);
            w_->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        }
    }
    void fit() override { place(*w_, widened(m_, w_->sizeHint().width(), Grow::Right)); }
    std::optional<ColourRoles> colourRoles() const override { return kFilled; }
};

class FocusRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    std::function<void()> onFocusLost;

protected:
    void focusOutEvent(QFocusEvent* e) override
    {
        QRadioButton::focusOutEvent(e);
        // A message box or another window taking the focus is no move within the form.
        const Qt::FocusReason r = e->reason();
        if (onFocusLost && r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            onFocusLost();
    }
};

class OptionView : public View<ui::OptionButton, FocusRadioButton> {
public:
    OptionView(ui::OptionButton& o, QtRuntime& rt, QWidget* parent) : View(o, rt, new FocusRadioButton(parent))
    {
        // The control keeps its group exclusive, as its container defines it.
        w_->setAutoExclusive(false);
        QObject::connect(w_, &QRadioButton::clicked, [this] { fromUser([this] { m_.userClick(); }, {PropId::Value}); });
        w_->onFocusLost = [this] { fromUser([this] { run(m_.LostFocus); }, {PropId::Value}); };
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption)
            w_->setText(q(m_.Caption));
        else if (id == PropId::Value)
            w_->setChecked(m_.Value);
    }
    void fit() override { place(*w_, widened(m_, w_->sizeHint().width(), Grow::Right)); }
    std::optional<ColourRoles> colourRoles() const override { return kFilled; }
};

QStringList itemsOf(const ui::ListControl& l)
{
    QStringList items;
    items.reserve(l.ListCount());
    for (const auto& s : l.List())
        items << q(s);
    return items;
}

// Choosing an item the list already shows still raises Click, as a click on it does.
void choose(ui::ListControl& l, int index)
{
    if (l.ListIndex == index)
        run(l.Click);
    else
        l.ListIndex = index;
}

class ComboView : public View<ui::ComboBox, QComboBox> {
public:
    ComboView(ui::ComboBox& c, QtRuntime& rt, QWidget* parent) : View(c, rt, new QComboBox(parent))
    {
        w_->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(w_, &QComboBox::activated, [this](int i) {
            fromUser([this, i] { choose(m_, i); }, {PropId::ListIndex, PropId::Text});
        });
    }

protected:
    void syncKind(PropId id) override
    {
        switch (id) {
        case PropId::Style: {
            const bool editable = m_.Style != 2;
            if (w_->isEditable() != editable) {
                w_->setEditable(editable);
                if (editable)
                    connectEdits();
            }
            syncText();
            break;
        }
        case PropId::List: {
            QStringList items = itemsOf(m_);
            QStringList shown;
            for (int i = 0; i < w_->count(); ++i)
                shown << w_->itemText(i);
            if (shown != items) {
                w_->clear();
                w_->addItems(items);
            }
            syncIndex();
            break;
        }
        case PropId::ListIndex: syncIndex(); break;
        case PropId::Text: syncText(); break;
        default: break;
        }
    }
    std::optional<ColourRoles> colourRoles() const override
    {
        return ColourRoles{QPalette::Base, QPalette::Text, false, QPalette::Button, QPalette::ButtonText};
    }

private:
    void connectEdits()
    {
        QObject::connect(w_->lineEdit(), &QLineEdit::textEdited,
            [this](const QString& s) { fromUser([this, &s] { m_.userType(s.toStdString()); }, {PropId::Text}); });
    }
    void syncIndex()
    {
        const int i = m_.ListIndex;
        w_->setCurrentIndex(i >= 0 && i < w_->count() ? i : -1);
        syncText();
    }
    void syncText()
    {
        const QString s = q(m_.Text);
        if (w_->isEditable()) {
            if (w_->currentText() != s)
                w_->setEditText(s);
        } else if (m_.ListIndex < 0) {
            w_->setCurrentIndex(w_->findText(s, Qt::MatchExactly));
        }
    }
};

class ListView : public View<ui::ListBox, QListWidget> {
public:
    ListView(ui::ListBox& l, QtRuntime& rt, QWidget* parent) : View(l, rt, new QListWidget(parent))
    {
        // Every item is one line of text in one font: the list lays out a long
        // list without measuring each item.
        w_->setUniformItemSizes(true);
        QObject::connect(w_, &QListWidget::currentRowChanged, [this](int row) {
            if (row >= 0)
                fromUser([this, row] { choose(m_, row); }, {PropId::ListIndex});
        });
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::List) {
            // Items added since the last frame are appended; any other change rebuilds the list.
            if (m_.generation() != shownGeneration_ || w_->count() > m_.ListCount()) {
                w_->clear();
                shownGeneration_ = m_.generation();
            }
            QStringList added;
            for (int i = w_->count(); i < m_.ListCount(); ++i)
                added << q(m_.List(i));
            if (!added.isEmpty())
                w_->addItems(added);
            syncIndex();
        } else if (id == PropId::ListIndex) {
            syncIndex();
        }
    }
    std::optional<ColourRoles> colourRoles() const override { return kField; }

private:
    void syncIndex()
    {
        const int i = m_.ListIndex;
        if (i >= 0 && i < w_->count()) {
            w_->setCurrentRow(i);
        } else {
            w_->setCurrentRow(-1);
            w_->clearSelection();
        }
    }

    unsigned long long shownGeneration_ = 0;
};

class ShapeWidget : public QWidget {
public:
    ShapeWidget(ui::Shape& s, QWidget* parent) : QWidget(parent), s_(s)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(toQColor(s_.BorderColor), 1));
        if (s_.FillStyle == 1)
            p.setBrush(Qt::NoBrush);
        else
            p.setBrush(toQColor(s_.FillColor));
        QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const int kind = s_.ShapeType;
        if (kind == ui::Shape::Square || kind == ui::Shape::Circle) {
            const double side = std::min(r.width(), r.height());
            r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
        }
        switch (kind) {
        case ui::Shape::Oval:
        case ui::Shape::Circle: p.drawEllipse(r); break;
        case ui::Shape::RoundedRectangle: p.drawRoundedRect(r, 4, 4); break;
        default: p.drawRect(r); break;
        }
    }

private:
    ui::Shape& s_;
};

class ShapeView : public View<ui::Shape, ShapeWidget> {
public:
    ShapeView(ui::Shape& s, QtRuntime& rt, QWidget* parent) : View(s, rt, new ShapeWidget(s, parent)) {}

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::FillColor || id == PropId::BorderColor || id == PropId::Style)
            w_->update();
    }
};

class FrameView : public View<ui::Frame, QGroupBox> {
public:
    FrameView(ui::Frame& f, QtRuntime& rt, QWidget* parent) : View(f, rt, new QGroupBox(parent)) {}

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption)
            w_->setTitle(q(m_.Caption));
    }
    std::optional<ColourRoles> colourRoles() const override { return kFilled; }
};

class TabView : public View<ui::TabControl, QTabWidget> {
public:
    TabView(ui::TabControl& t, QtRuntime& rt, QWidget* parent) : View(t, rt, new QTabWidget(parent))
    {
        QObject::connect(w_, &QTabWidget::currentChanged, [this](int i) {
            fromUser(
                [this, i] {
                    m_.Tab = i;
                    run(m_.Click);
                },
                {PropId::Tab});
        });
    }
    QWidget* childArea(int page) override
    {
        page = std::max(page, 0);
        ensurePages(page + 1);
        return w_->widget(page);
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Caption) {
            ensurePages(m_.Tabs());
            for (int i = 0; i < w_->count(); ++i) {
                w_->setTabText(i, q(m_.TabCaption(i)));
                w_->setTabVisible(i, i < m_.Tabs());
            }
        } else if (id == PropId::Tab) {
            if (m_.Tab >= 0 && m_.Tab < w_->count())
                w_->setCurrentIndex(m_.Tab);
        }
    }

private:
    void ensurePages(int n)
    {
        while (w_->count() < n) {
            auto* page = new QWidget;
            page->setAutoFillBackground(true);
            w_->addTab(page, QString());
        }
    }
};

// A progress bar in flat fills: the look's panel, and the filled share of its
// inside in the highlight colour. The program moves a bar per cell on every
// scan; QProgressBar repainted itself at once on each new value, outside the
// frame, and sent an accessibility event. A share that fills the same pixels
// leaves the widget alone.
class LevelBar : public QWidget {
public:
    explicit LevelBar(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

    void setShare(double share)
    {
        share_ = share;
        if (const int px = filled(); px != shownFilled_) {
            shownFilled_ = px;
            update(lineEditPanelInside(rect(), true));
        }
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QPainter p(this);
        const QRect in = lineEditPanelInside(rect(), true);
        if (!in.contains(e->rect()))
            paintLineEditPanel(p, rect(), palette(), true, false);
        shownFilled_ = filled();
        p.fillRect(in.x(), in.y(), shownFilled_, in.height(), palette().brush(QPalette::Highlight));
        p.fillRect(
            in.x() + shownFilled_, in.y(), in.width() - shownFilled_, in.height(), palette().brush(QPalette::Base));
    }

private:
    int filled() const { return static_cast<int>(share_ * lineEditPanelInside(rect(), true).width() + 0.5); }

    double share_ = 0.0;
    int shownFilled_ = -1;
};

class ProgressView : public View<ui::ProgressBar, LevelBar> {
public:
    ProgressView(ui::ProgressBar& p, QtRuntime& rt, QWidget* parent) : View(p, rt, new LevelBar(parent)) {}

protected:
    void syncKind(PropId id) override
    {
        if (id != PropId::Value)  // also Min and Max
            return;
        const double lo = m_.Min, hi = m_.Max;
        double f = hi > lo ? (m_.Value - lo) / (hi - lo) : 0.0;
        if (!(f >= 0.0))  // also NaN
            f = 0.0;
        w_->setShare(std::min(f, 1.0));
    }
};

// The trace window holds long texts: when the control only grew at the end, only
// the new tail goes to the widget; the widget drops its oldest lines as the
// control does. While the text keeps changing it is shown at most every
// kShowMs: each showing lays out the new lines and repaints the text and its
// scroll bar, and a trace scrolling faster than that cannot be read anyway.
class RichTextView : public View<ui::RichTextBox, QPlainTextEdit> {
public:
    static constexpr int kShowMs = 200;  // 5 times a second

    RichTextView(ui::RichTextBox& r, QtRuntime& rt, QWidget* parent) : View(r, rt, new QPlainTextEdit(parent))
    {
        w_->setReadOnly(true);
        w_->setUndoRedoEnabled(false);
        later_.setSingleShot(true);
        QObject::connect(&later_, &QTimer::timeout, [this] { changed(PropId::Text); });
    }

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Font) {
            // The trace is plain Latin text: laid out from the font's character
            // map, without the shaper, as it arrives and as it is drawn.
            QFont f = w_->font();
            f.setStyleStrategy(QFont::PreferNoShaping);
            w_->setFont(f);
        }
        if (id != PropId::Text)
            return;
        // A frame asked for now (a refresh, a test) shows the text whenever it comes.
        if (rt_.viewUpdates().timedFrame() && sinceShown_.isValid() && sinceShown_.elapsed() < kShowMs) {
            if (!later_.isActive())
                later_.start(static_cast<int>(kShowMs - sinceShown_.elapsed()));
            return;
        }
        later_.stop();
        sinceShown_.start();
        // The widget counts the empty line after the last line end as a line too.
        const int limit = m_.maxLines() > 0 ? m_.maxLines() + 1 : 0;
        if (w_->maximumBlockCount() != limit)
            w_->setMaximumBlockCount(limit);
        const std::string_view text = m_.Text();
        const unsigned long long end = m_.dropped() + text.size();
        if (shownAny_ && m_.generation() == shownGeneration_ && shownEnd_ >= m_.dropped() && end >= shownEnd_) {
            if (end == shownEnd_)
                return;
            QTextCursor cursor(w_->document());
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(plain(text.substr(static_cast<std::size_t>(shownEnd_ - m_.dropped()))));
        } else {
            w_->setPlainText(plain(text));
        }
        shownAny_ = true;
        shownGeneration_ = m_.generation();
        shownEnd_ = end;
        w_->moveCursor(QTextCursor::End);
        w_->ensureCursorVisible();
    }
    std::optional<ColourRoles> colourRoles() const override { return kField; }

private:
    // Line ends are CR LF in the forms; the widget wants LF only.
    static QString plain(std::string_view s)
    {
        std::string out;
        out.reserve(s.size());
        for (char ch : s)
            if (ch != '\r')
                out += ch;
        return QString::fromStdString(out);
    }

    QTimer later_;  // shows a text that came too soon after the last
    QElapsedTimer sinceShown_;
    bool shownAny_ = false;
    unsigned long long shownGeneration_ = 0;
    unsigned long long shownEnd_ = 0;  // where the shown text ends, counted from the last setText
};

class GridView : public View<ui::Grid, QTableWidget> {
public:
    GridView(ui::Grid& g, QtRuntime& rt, QWidget* parent) : View(g, rt, new QTableWidget(parent))
    {
        w_->horizontalHeader()->hide();
        w_->verticalHeader()->hide();
        w_->verticalHeader()->setMinimumSectionSize(12);
        w_->verticalHeader()->setDefaultSectionSize(18);
        w_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        w_->setSelectionMode(QAbstractItemView::SingleSelection);
        QObject::connect(w_, &QTableWidget::cellClicked, [this](int row, int col) {
            fromUser(
                [this, row, col] {
                    m_.Row = row;
                    m_.Col = col;
                    run(m_.Click);
                },
                {PropId::Cells});
        });
    }

protected:
    // Filling a grid sets many cells in a row: the frame shows them all at once.
    void syncKind(PropId id) override
    {
        if (id == PropId::Cells)
            fill();
    }
    // Every column shows its widest text, and the grid shows every column
    // where its container has the room.
    void fit() override
    {
        const QFontMetrics fm = w_->fontMetrics();
        const int padding = 2 * w_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w_) + 4;
        int columns = 0;
        for (int c = 0; c < w_->columnCount(); ++c) {
            int width = m_.ColWidth(c);
            for (int r = 0; r < w_->rowCount(); ++r)
                if (const QTableWidgetItem* item = w_->item(r, c))
                    width = std::max(width, fm.horizontalAdvance(item->text()) + padding);
            if (w_->columnWidth(c) != width)
                w_->setColumnWidth(c, width);
            columns += w_->columnWidth(c);  // the header may hold a column wider than asked
        }
        int need = columns + 2 * w_->frameWidth();
        if (w_->verticalHeader()->length() + 2 * w_->frameWidth() > m_.Height)
            need += w_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w_);
        place(*w_, widened(m_, need, Grow::Right));
    }
    std::optional<ColourRoles> colourRoles() const override { return kField; }

private:
    void fill()
    {
        const QSignalBlocker block(w_);
        if (w_->rowCount() != m_.Rows())
            w_->setRowCount(m_.Rows());
        if (w_->columnCount() != m_.Cols())
            w_->setColumnCount(m_.Cols());
        for (int r = 0; r < m_.Rows(); ++r) {
            for (int c = 0; c < m_.Cols(); ++c) {
                QTableWidgetItem* item = w_->item(r, c);
                if (!item) {
                    item = new QTableWidgetItem;
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                    w_->setItem(r, c, item);
                }
                const bool fixed = r < m_.FixedRows || c < m_.FixedCols;
                if (fixed != (item->data(Qt::UserRole).toBool())) {
                    item->setData(Qt::UserRole, fixed);
                    item->setBackground(fixed ? QBrush(toQColor(vb::kButtonFace)) : QBrush());
                }
                const QString s = q(m_.TextMatrix(r, c));
                if (item->text() != s)
                    item->setText(s);
            }
        }
        // Headers are never the current cell.
        if (m_.Row >= m_.FixedRows && m_.Row < m_.Rows() && m_.Col >= m_.FixedCols && m_.Col < m_.Cols()) {
            w_->setCurrentCell(m_.Row, m_.Col);
        } else {
            w_->setCurrentItem(nullptr);
            w_->clearSelection();
        }
    }
};

class PictureView : public View<ui::PictureBox, PictureWidget> {
public:
    PictureView(ui::PictureBox& p, QtRuntime& rt, QWidget* parent) : View(p, rt, new PictureWidget(p, parent)) {}

protected:
    void syncKind(PropId id) override
    {
        if (id == PropId::Picture)
            w_->showPicture();
        else if (id == PropId::BackColor || id == PropId::ForeColor)
            w_->update();
    }
};

}  // namespace

std::unique_ptr<ControlView> makeView(ui::Control& c, QtRuntime& rt, QWidget* parent)
{
    using ui::Kind;
    switch (c.kind()) {
    case Kind::CommandButton: return std::make_unique<ButtonView>(static_cast<ui::CommandButton&>(c), rt, parent);
    case Kind::Label: return std::make_unique<LabelView>(static_cast<ui::Label&>(c), rt, parent);
    case Kind::TextBox: return std::make_unique<TextView>(static_cast<ui::TextBox&>(c), rt, parent);
    case Kind::CheckBox: return std::make_unique<CheckView>(static_cast<ui::CheckBox&>(c), rt, parent);
    case Kind::OptionButton: return std::make_unique<OptionView>(static_cast<ui::OptionButton&>(c), rt, parent);
    case Kind::ComboBox: return std::make_unique<ComboView>(static_cast<ui::ComboBox&>(c), rt, parent);
    case Kind::ListBox: return std::make_unique<ListView>(static_cast<ui::ListBox&>(c), rt, parent);
    case Kind::Shape: return std::make_unique<ShapeView>(static_cast<ui::Shape&>(c), rt, parent);
    case Kind::Frame: return std::make_unique<FrameView>(static_cast<ui::Frame&>(c), rt, parent);
    case Kind::TabControl: return std::make_unique<TabView>(static_cast<ui::TabControl&>(c), rt, parent);
    case Kind::PictureBox: return std::make_unique<PictureView>(static_cast<ui::PictureBox&>(c), rt, parent);
    case Kind::ProgressBar: return std::make_unique<ProgressView>(static_cast<ui::ProgressBar&>(c), rt, parent);
    case Kind::Grid: return std::make_unique<GridView>(static_cast<ui::Grid&>(c), rt, parent);
    case Kind::RichTextBox: return std::make_unique<RichTextView>(static_cast<ui::RichTextBox&>(c), rt, parent);
    case Kind::Menu:
    case Kind::Timer:
    case Kind::CommonDialog: return nullptr;
    }
    return nullptr;
}

}  // namespace qt
