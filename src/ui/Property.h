#pragma once
// A control property that tells its control when it changes, so views and
// the control's own events (Change, Click) follow every assignment.
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace ui {

enum class PropId {
    Visible,
    Enabled,
    Geometry,
    ToolTipText,
    BackColor,
    ForeColor,
    Caption,
    Text,
    Value,
    List,
    ListIndex,
    FillColor,
    BorderColor,
    Interval,
    Picture,
    Cells,
    Tab,
    Checked,
    Font,
    Style
};

// What a form's load needs of every property: its design value kept, and
// brought back when an unloaded form is loaded again.
class DesignValue {
public:
    virtual void keepAsDesign() = 0;
    virtual void backToDesign() = 0;

protected:
    ~DesignValue() = default;
};

class PropertyOwner {
public:
    virtual void propertyChanged(PropId id) = 0;
    // Each property announces itself as it is constructed.
    virtual void adopt(DesignValue& /*property*/) {}

protected:
    ~PropertyOwner() = default;
};

template <class T> class Prop final : public DesignValue {
public:
    Prop(PropertyOwner* owner, PropId id, T initial = T{}) : owner_(owner), id_(id), value_(std::move(initial))
    {
        owner_->adopt(*this);
    }
    Prop(const Prop&) = delete;
    ~Prop() = default;

    Prop& operator=(const T& v)
    {
        if (!(value_ == v)) {
            value_ = v;
            owner_->propertyChanged(id_);
        }
        return *this;
    }
    template <class U>
    requires(!std::is_same_v<std::decay_t<U>, T> && std::is_constructible_v<T, U&&>) Prop& operator=(U&& v)
    {
        return *this = T(std::forward<U>(v));
    }
    Prop& operator=(const Prop& other) { return *this = other.value_; }

    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    // Sets without raising the owner's events; for a view echoing the user's edit
    // before it raises the event itself.
    void setQuietly(const T& v) { value_ = v; }

    void keepAsDesign() override { design_ = value_; }
    void backToDesign() override { *this = design_; }

    template <class U> friend bool operator==(const Prop& a, const U& b) { return a.value_ == b; }

private:
    PropertyOwner* owner_;
    PropId id_;
    T value_;
    T design_{};
};

}  // namespace ui
