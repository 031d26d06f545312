#include "qt/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

#include "qt/ControlViews.h"
#include "qt/Look.h"
#include "qt/MenuBarView.h"
#include "qt/QtRuntime.h"

namespace qt {

namespace {
// Containers nest a few levels at most; deeper means a container loop.
constexpr int kMaxNesting = 32;
// What a window manager adds around a window, at most, on the screens we expect.
constexpr int kFrameAllowance = 16;
constexpr int kTitleAllowance = 40;
}  // namespace

FormWindow::FormWindow(ui::Form& form, QtRuntime& rt) : form_(form), rt_(rt), content_(new QWidget)
{
    // The form keeps its designed size inside a scroll area, so a window made
    // smaller than the form (or a screen smaller than it) scrolls instead of clipping.
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    scroll->setWidget(content_);
    setCentralWidget(scroll);
    content_->setAutoFillBackground(true);
    if (auto top = form_.menus(); !top.empty())
        menus_ = std::make_unique<MenuBarView>(top, rt_, menuBar());
    addViews();
    form_.setListener([this](ui::PropId id) { syncForm(id); });
    syncForm(ui::PropId::Caption);
    syncForm(ui::PropId::BackColor);
}

FormWindow::~FormWindow()
{
    for (auto& [control, v] : views_) {
        v->detach();
        if (formAlive_)
            v->control().setListener(nullptr);
    }
    if (menus_)
        menus_->detach(formAlive_);
    if (formAlive_)
        form_.setListener(nullptr);
    // The widgets go while their views still exist, so no signal of a dying
    // widget reaches a view that is gone.
    delete content_;
    if (menus_)
        delete menuBar();
}

void FormWindow::addViews()
{
    for (ui::Control* c : form_.controls())
        viewFor(*c, 0);
}

ControlView* FormWindow::viewFor(ui::Control& c, int depth)
{
    if (auto it = views_.find(&c); it != views_.end())
        return it->second.get();
    QWidget* parent = content_;
    if (c.container() && depth < kMaxNesting)
        if (ControlView* box = viewFor(*c.container(), depth + 1))
            parent = box->childArea(c.containerPage());
    auto view = makeView(c, rt_, parent);
    if (!view)
        return nullptr;
    ControlView* v = view.get();
    views_.emplace(&c, std::move(view));
    c.setListener([v](ui::PropId id) { v->changed(id); });
    v->syncAll();
    return v;
}

void FormWindow::syncForm(ui::PropId id)
{
    switch (id) {
    case ui::PropId::Caption: {
        std::string title = form_.Caption.get() + rt_.titleSuffix;
        setWindowTitle(QString::fromStdString(title.empty() ? form_.name() : title));
        break;
    }
    case ui::PropId::BackColor: {
        QPalette pal = content_->palette();
        pal.setColor(QPalette::Window, toQColor(form_.BackColor));
        content_->setPalette(pal);
        break;
    }
    case ui::PropId::Visible: setVisible(form_.Visible); break;
    default: break;
    }
}

void FormWindow::showForm()
{
    addViews();
    content_->setFixedSize(form_.Width, form_.Height);
    if (!isVisible())
        fitToScreen();
    show();
    raise();
    activateWindow();
}

void FormWindow::fitToScreen()
{
    // menuBar() makes a bar where there is none: a form without menus must not get an empty one.
    const int menu = menus_ ? menuBar()->sizeHint().height() : 0;
    QSize want(form_.Width, form_.Height + menu);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Room for the window's frame and title bar, which the window manager adds.
        const QSize room = screen->availableGeometry().size() - QSize(kFrameAllowance, kTitleAllowance);
        want = want.boundedTo(room);
    }
    resize(want);
}

QWidget* FormWindow::widgetOf(const ui::Control& c) const
{
    auto it = views_.find(&c);
    return it == views_.end() ? nullptr : it->second->widget();
}

QAction* FormWindow::actionOf(const ui::Menu& m) const { return menus_ ? menus_->action(m) : nullptr; }

void FormWindow::closeEvent(QCloseEvent* e)
{
    if (rt_.ended() || !formAlive_ || !form_.loaded()) {
        e->accept();
        return;
    }
    rt_.dispatch([this] { form_.Unload(); });
    if (!rt_.ended() && form_.loaded()) {
        e->ignore();  // Form_Unload cancelled
        return;
    }
    e->accept();
    rt_.endIfNoWindow();
}

}  // namespace qt
