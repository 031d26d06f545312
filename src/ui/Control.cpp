#include "ui/Control.h"

#include "ui/Form.h"

namespace ui {

Control::Control(Form& form, Kind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index)
{
    form_.addControl(this);
}

Control::~Control() { form_.removeControl(this); }

Runtime& Control::rt() const { return form_.rt(); }

void Control::move(int left, int top, int width, int height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
    propertyChanged(PropId::Geometry);
}

void Control::propertyChanged(PropId id)
{
    ++revision_;
    if (listener_)
        listener_(id);
    if (!restoring_)
        onChanged(id);
}

void Control::keepDesign()
{
    for (DesignValue* v : designValues_)
        v->keepAsDesign();
    design_ = Placement{Left, Top, Width, Height};
}

void Control::backToDesign()
{
    if (!design_)
        return;
    restoring_ = true;
    for (DesignValue* v : designValues_)
        v->backToDesign();
    const Placement& d = *design_;
    if (Left != d.left || Top != d.top || Width != d.width || Height != d.height)
        move(d.left, d.top, d.width, d.height);
    restoring_ = false;
    designRestored();
}

}  // namespace ui
