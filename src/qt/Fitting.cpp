#include "qt/Fitting.h"

#include <algorithm>

#include <QWidget>

#include "ui/Form.h"

namespace qt {

namespace {
// What a frame's or a tab page's border takes of its inside.
constexpr int kContainerEdge = 4;
}  // namespace

int roomOf(const ui::Control& c)
{
    const ui::Control* box = c.container();
    return box ? box->Width - kContainerEdge : c.form().Width;
}

QRect widened(const ui::Control& c, int need, Grow grow)
{
    if (need <= c.Width)
        return {c.Left, c.Top, c.Width, c.Height};
    const int extra = need - c.Width;
    int left = c.Left;
    if (grow == Grow::Left)
        left -= extra;
    else if (grow == Grow::BothSides)
        left -= (extra + 1) / 2;
    left = std::min(left, roomOf(c) - need);
    left = std::max(left, 0);
    // A container narrower than the text still keeps the design's width.
    const int width = std::max(c.Width, std::min(need, roomOf(c) - left));
    return {left, c.Top, width, c.Height};
}

void place(QWidget& w, const QRect& r)
{
    // A widget never placed would be sized to its hint when shown.
    if (w.geometry() != r || !w.testAttribute(Qt::WA_Resized))
        w.setGeometry(r);
}

Grow growFor(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignRight)
        return Grow::Left;
    if (alignment & Qt::AlignHCenter)
        return Grow::BothSides;
    return Grow::Right;
}

}  // namespace qt
