#pragma once
// The base of every control: identity, placement and the properties all kinds share.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Property.h"
#include "vb/Color.h"

namespace ui {

class Form;
class Runtime;

enum class Kind {
    CommandButton,
    TextBox,
    Label,
    CheckBox,
    OptionButton,
    ComboBox,
    ListBox,
    Shape,
    Frame,
    TabControl,
    PictureBox,
    ProgressBar,
    Grid,
    RichTextBox,
    Menu,
    Timer,
    CommonDialog
};

using vb::Color;

// What a view listens to: the control and which property changed.
using ChangeListener = std::function<void(PropId)>;

class Control : public PropertyOwner {
    // First of all members: the properties announce themselves to it as they are made.
    std::vector<DesignValue*> designValues_;

public:
    Control(Form& form, Kind kind, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 outside a control array
    Form& form() const { return form_; }
    Runtime& rt() const;

    // Placement in pixels, relative to the container (a frame, a tab page or the form).
    void move(int left, int top, int width, int height);
    int Left = 0, Top = 0, Width = 0, Height = 0;
    Control* container() const { return container_; }
    int containerPage() const { return page_; }
    void setContainer(Control* c, int page = -1)
    {
        container_ = c;
        page_ = page;
    }

    Prop<bool> Visible{this, PropId::Visible, true};
    Prop<bool> Enabled{this, PropId::Enabled, true};
    Prop<std::string> ToolTipText{this, PropId::ToolTipText};
    Prop<Color> BackColor{this, PropId::BackColor, vb::kButtonFace};
    Prop<Color> ForeColor{this, PropId::ForeColor, vb::kBlack};
    Prop<std::string> Caption{this, PropId::Caption};
    Prop<int> FontSize{this, PropId::Font, 0};  // 0: the view's default
    Prop<bool> FontBold{this, PropId::Font, false};

    // Views subscribe here; only one view shows a control.
    void setListener(ChangeListener l) { listener_ = std::move(l); }

    void propertyChanged(PropId id) override;
    void adopt(DesignValue& property) override { designValues_.push_back(&property); }

    // The form's first load keeps every control's design state; loading the
    // form again after an unload brings it back, as a fresh form would have
    // it, without raising the control's events.
    void keepDesign();
    void backToDesign();
    // Counts the property changes, so a value computed from controls can tell
    // whether they changed since.
    unsigned long long revision() const { return revision_; }

protected:
    // Kinds that raise events on a property change (Change, Click) hook in here.
    virtual void onChanged(PropId) {}
    // After the design state came back (its events were not raised).
    virtual void designRestored() {}

private:
    Form& form_;
    Kind kind_;
    std::string name_;
    int index_;
    Control* container_ = nullptr;
    int page_ = -1;
    ChangeListener listener_;
    unsigned long long revision_ = 0;
    struct Placement {
        int left, top, width, height;
    };
    std::optional<Placement> design_;  // none for controls made after the first load
    bool restoring_ = false;
};

}  // namespace ui
