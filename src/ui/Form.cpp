#include "ui/Form.h"

#include <algorithm>

#include "ui/Runtime.h"

namespace ui {

Form::Form(Runtime& rt, std::string name) : rt_(rt), name_(std::move(name)) {}

Form::~Form() = default;

void Form::propertyChanged(PropId id)
{
    if (listener_)
        listener_(id);
}

void Form::removeControl(Control* c) { std::erase(controls_, c); }

std::vector<Menu*> Form::menus() const
{
    std::vector<Menu*> top;
    for (Control* c : controls_)
        if (c->kind() == Kind::Menu && !static_cast<Menu*>(c)->parent())
            top.push_back(static_cast<Menu*>(c));
    return top;
}

void Form::Load()
{
    if (loaded_)
        return;
    loaded_ = true;  // a form's load may reach the form again: do not load twice
    // An unload ends the controls' run-time state: a load finds them as designed.
    for (Control* c : controls_) {
        if (designKept_)
            c->backToDesign();
        else
            c->keepDesign();
    }
    designKept_ = true;
    Form_Load();
}

void Form::Show()
{
    Load();
    if (!loaded_)
        return;  // the load unloaded the form again
    Visible = true;
    rt_.formShown(*this);
}

void Form::Hide()
{
    Visible = false;
    rt_.formHidden(*this);
}

void Form::Unload()
{
    if (!loaded_)
        return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0)
        return;
    Hide();
    loaded_ = false;
}

}  // namespace ui
