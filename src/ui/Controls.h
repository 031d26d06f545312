#pragma once
// The standard control kinds the forms are built from.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/Image.h"

namespace ui {

using Handler = std::function<void()>;

class CommandButton : public Control {
public:
    CommandButton(Form& f, std::string name, int index = -1) : Control(f, Kind::CommandButton, std::move(name), index)
    {
    }
    Prop<Image> Picture{this, PropId::Picture};
    Handler Click;
    // A user's click: does nothing while the button is disabled or hidden.
    void userClick();
};

class Label : public Control {
public:
    Label(Form& f, std::string name, int index = -1) : Control(f, Kind::Label, std::move(name), index)
    {
        BackColor.setQuietly(vb::kButtonFace);
    }
    Prop<int> Alignment{this, PropId::Style, 0};  // 0 left, 1 right, 2 centre
    Handler Click;
};

class TextBox : public Control {
public:
    TextBox(Form& f, std::string name, int index = -1) : Control(f, Kind::TextBox, std::move(name), index)
    {
        BackColor.setQuietly(vb::kWindow);
    }
    Prop<std::string> Text{this, PropId::Text};
    Prop<bool> Locked{this, PropId::Style, false};
    Prop<int> Alignment{this, PropId::Style, 0};
    Handler Change;  // after every change of Text, by code or by the user

protected:
    void onChanged(PropId id) override;
};

class CheckBox : public Control {
public:
    CheckBox(Form& f, std::string name, int index = -1) : Control(f, Kind::CheckBox, std::move(name), index) {}
    Prop<int> Value{this, PropId::Value, 0};  // 0 unticked, 1 ticked, 2 grey
    Handler Click;  // runs whenever Value changes, by code or by the user
    void userClick();  // toggles 0 <-> 1

protected:
    void onChanged(PropId id) override;
};

// Option buttons exclude each other within their container (frame, tab page or form).
class OptionButton : public Control {
public:
    OptionButton(Form& f, std::string name, int index = -1) : Control(f, Kind::OptionButton, std::move(name), index) {}
    Prop<bool> Value{this, PropId::Value, false};
    Handler Click;  // runs when the button becomes selected
    Handler LostFocus;  // the user moved the focus to another control of the form
    void userClick();

protected:
    void onChanged(PropId id) override;
};

class ListControl : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& List() const { return items_; }
    const std::string& List(int i) const;
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Adds at the end; with an item limit, the oldest items then give way.
    void AddItem(std::string item);
    void RemoveItem(int i);
    void Clear();
    // Keeps at most this many items (0: no limit), dropping the oldest.
    void setMaxItems(int n);
    Prop<int> ListIndex{this, PropId::ListIndex, -1};
    Handler Click;  // when ListIndex changes
    // Bumped by every change of the list but AddItem, so a view that shows the
    // first items of the same generation may append the rest.
    unsigned long long generation() const { return generation_; }

protected:
    void onChanged(PropId id) override;
    std::vector<std::string> items_;

private:
    // Drops the oldest items beyond the limit; true when any went.
    bool dropOldItems();
    int maxItems_ = 0;
    unsigned long long generation_ = 0;
};

class ComboBox : public ListControl {
public:
    ComboBox(Form& f, std::string name, int index = -1) : ListControl(f, Kind::ComboBox, std::move(name), index)
    {
        BackColor.setQuietly(vb::kWindow);
    }
    Prop<std::string> Text{this, PropId::Text};
    Prop<int> Style{this, PropId::Style, 0};  // 0 editable, 2 list only
    Handler Change;  // when Text changes
    // The user's typing: the text, and ListIndex the item it names, -1 when
    // it names none (no Click: nothing was chosen from the list).
    void userType(std::string text);

protected:
    void onChanged(PropId id) override;
};

class ListBox : public ListControl {
public:
    ListBox(Form& f, std::string name, int index = -1) : ListControl(f, Kind::ListBox, std::move(name), index)
    {
        BackColor.setQuietly(vb::kWindow);
    }
    std::string Text() const { return ListIndex >= 0 ? List(ListIndex) : std::string(); }
    // Shows the list as it is now, also in the middle of a handler.
    void Refresh();
};

// Indicator shape: a filled rectangle or circle.
class Shape : public Control {
public:
    enum ShapeKind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4 };
    Shape(Form& f, std::string name, int index = -1) : Control(f, Kind::Shape, std::move(name), index) {}
    Prop<Color> FillColor{this, PropId::FillColor, vb::kBlack};
    Prop<Color> BorderColor{this, PropId::BorderColor, vb::kBlack};
    Prop<int> FillStyle{this, PropId::Style, 0};  // 0 solid, 1 transparent
    Prop<int> ShapeType{this, PropId::Style, Circle};
};

class Frame : public Control {
public:
    Frame(Form& f, std::string name, int index = -1) : Control(f, Kind::Frame, std::move(name), index) {}
};

class ProgressBar : public Control {
public:
    ProgressBar(Form& f, std::string name, int index = -1) : Control(f, Kind::ProgressBar, std::move(name), index) {}
    Prop<double> Value{this, PropId::Value, 0.0};
    Prop<double> Min{this, PropId::Value, 0.0};
    Prop<double> Max{this, PropId::Value, 100.0};
};

class RichTextBox : public Control {
public:
    RichTextBox(Form& f, std::string name, int index = -1) : Control(f, Kind::RichTextBox, std::move(name), index)
    {
        BackColor.setQuietly(vb::kWindow);
    }
    std::string_view Text() const { return std::string_view(text_).substr(start_); }
    void setText(std::string t);
    // Same result as setText(Text() + s), without copying the whole text; with
    // a line limit, the oldest lines then give way.
    void append(std::string_view s);
    // Keeps at most this many complete lines (0: no limit), dropping the oldest.
    void setMaxLines(int n);
    int maxLines() const { return maxLines_; }
    // Bumped by setText, so a view knows whether it may append the tail.
    unsigned long long generation() const { return generation_; }
    // Characters dropped from the front since the last setText: a view that
    // appended up to some point knows what of it is gone.
    unsigned long long dropped() const { return dropped_; }

private:
    void dropOldLines();

    std::string text_;
    std::size_t start_ = 0;  // the kept text begins here; the prefix is dropped
    long long lines_ = 0;  // line ends in the kept text
    int maxLines_ = 0;
    unsigned long long generation_ = 0;
    unsigned long long dropped_ = 0;
};

class TabControl : public Control {
public:
    TabControl(Form& f, std::string name, int index = -1) : Control(f, Kind::TabControl, std::move(name), index) {}
    void setTabs(std::vector<std::string> captions);
    int Tabs() const { return static_cast<int>(captions_.size()); }
    const std::string& TabCaption(int i) const;
    void setTabCaption(int i, std::string caption);
    Prop<int> Tab{this, PropId::Tab, 0};  // the page shown
    Handler Click;  // after the user changes the page

private:
    std::vector<std::string> captions_;
};

class Menu : public Control {
public:
    Menu(Form& f, std::string name, std::string caption, Menu* parent = nullptr, int index = -1);
    Menu* parent() const { return parent_; }
    const std::vector<Menu*>& children() const { return children_; }
    Prop<bool> Checked{this, PropId::Checked, false};
    Handler Click;
    void userClick();

private:
    Menu* parent_;
    std::vector<Menu*> children_;
};

// Flexible grid: a table of texts; fixed rows and columns are headers.
class Grid : public Control {
public:
    Grid(Form& f, std::string name, int index = -1) : Control(f, Kind::Grid, std::move(name), index) {}
    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    void setRows(int n);
    void setCols(int n);
    int FixedRows = 1, FixedCols = 1;
    const std::string& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, std::string text);
    int ColWidth(int col) const;
    void setColWidth(int col, int pixels);
    Prop<int> Row{this, PropId::Cells, 0};
    Prop<int> Col{this, PropId::Cells, 0};
    Handler Click;

private:
    void resize(int rows, int cols);
    int rows_ = 0, cols_ = 0;
    std::vector<std::string> cells_;
    std::vector<int> widths_;
};

}  // namespace ui
