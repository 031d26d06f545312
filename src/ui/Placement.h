#pragma once
// How a form places its controls: a rectangle in a container, with the
// caption, tool tip and click the design gives, one control or a table of them.
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace ui {

// Position and size in pixels, relative to the container.
struct Rect {
    int x, y, w, h;
    // The same size, moved by (dx, dy).
    constexpr Rect moved(int dx, int dy) const { return {x + dx, y + dy, w, h}; }
};

// The i-th of equal controls in rows of perRow, dx apart across and dy down.
constexpr Rect inRows(Rect first, int i, int perRow, int dx, int dy)
{
    return first.moved(i % perRow * dx, i / perRow * dy);
}
// The i-th of equal controls in columns of perColumn, dy apart down and dx across.
constexpr Rect inColumns(Rect first, int i, int perColumn, int dx, int dy)
{
    return first.moved(i / perColumn * dx, i % perColumn * dy);
}

// A container: a frame or picture box, a page of a tab control, or the form itself.
struct In {
    Control* control = nullptr;
    int page = -1;

    In() = default;
    In(Control& c) : control(&c) {}  // NOLINT: a frame stands for itself
    In(TabControl& tab, int tabPage) : control(&tab), page(tabPage) {}
};

// Puts a control into its container at its rectangle.
template <class C> C& place(C& c, In in, Rect at)
{
    c.setContainer(in.control, in.page);
    c.move(at.x, at.y, at.w, at.h);
    return c;
}

// ... with its caption and tool tip; an empty text leaves the control's own.
template <class C> C& place(C& c, In in, Rect at, std::string_view caption, std::string_view toolTip = {})
{
    place(c, in, at);
    if (!caption.empty())
        c.Caption = std::string(caption);
    if (!toolTip.empty())
        c.ToolTipText = std::string(toolTip);
    return c;
}

// ... and the handler its click runs.
template <class C>
requires requires(C& c, Handler h) { c.Click = std::move(h); }
C& place(C& c, In in, Rect at, std::string_view caption, std::string_view toolTip, Handler click)
{
    place(c, in, at, caption, toolTip);
    c.Click = std::move(click);
    return c;
}

// One row of a placement table.
struct Placed {
    Control& control;
    Rect at;
    std::string_view caption = {};
    std::string_view toolTip = {};
};

// Places every row of a table in one container, in the table's order.
inline void place(In in, std::initializer_list<Placed> rows)
{
    for (const Placed& r : rows)
        place(r.control, in, r.at, r.caption, r.toolTip);
}

}  // namespace ui
