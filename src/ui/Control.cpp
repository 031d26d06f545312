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
    onChanged(id);
}

}  // namespace ui
