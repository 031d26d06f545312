#pragma once
// A form: its controls, its menus and its life cycle (created on first use,
// Load runs Form_Load once, Show/Hide, Unload runs Form_Unload).
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class Runtime;
class Menu;

class Form : public PropertyOwner {
public:
    Form(Runtime& rt, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    Runtime& rt() const { return rt_; }

    Prop<std::string> Caption{this, PropId::Caption};
    Prop<bool> Visible{this, PropId::Visible, false};
    Prop<Color> BackColor{this, PropId::BackColor, vb::kButtonFace};
    int Width = 640, Height = 480;  // client area in pixels

    bool loaded() const { return loaded_; }
    void Load();  // runs Form_Load the first time (and again after an Unload)
    void Show();  // modeless: Load, then visible
    void Hide();
    void Unload();  // Form_Unload; the form stays hidden and unloaded unless it cancels

    const std::vector<Control*>& controls() const { return controls_; }
    std::vector<Menu*> menus() const;  // top-level menus in design order

    void setListener(std::function<void(PropId)> l) { listener_ = std::move(l); }
    void propertyChanged(PropId id) override;

    // Controls register themselves on construction.
    void addControl(Control* c) { controls_.push_back(c); }
    void removeControl(Control* c);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*Cancel*/) {}

private:
    Runtime& rt_;
    std::string name_;
    bool loaded_ = false;
    bool loading_ = false;
    bool designKept_ = false;  // the controls' design state, kept at the first load
    std::vector<Control*> controls_;
    std::function<void(PropId)> listener_;
};

}  // namespace ui
