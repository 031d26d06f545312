#include "ui/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Form.h"
#include "ui/Runtime.h"

namespace ui {

namespace {
void run(const Handler& h)
{
    if (h)
        h();
}
const std::string kEmpty;
}  // namespace

void CommandButton::userClick()
{
    const Runtime::UserEvent event(rt());
    if (Enabled && Visible)
        run(Click);
}

void TextBox::onChanged(PropId id)
{
    if (id == PropId::Text)
        run(Change);
}

void CheckBox::onChanged(PropId id)
{
    if (id == PropId::Value)
        run(Click);
}

void CheckBox::userClick()
{
    const Runtime::UserEvent event(rt());
    if (Enabled)
        Value = Value == 1 ? 0 : 1;
}

void OptionButton::onChanged(PropId id)
{
    if (id != PropId::Value || !Value)
        return;
    // Deselect the others of the same group first, as the user sees it.
    for (Control* c : form().controls()) {
        if (c != this && c->kind() == Kind::OptionButton && c->container() == container() &&
            c->containerPage() == containerPage())
            static_cast<OptionButton*>(c)->Value = false;
    }
    run(Click);
}

void OptionButton::userClick()
{
    const Runtime::UserEvent event(rt());
    if (!Enabled)
        return;
    if (Value)
        run(Click);  // a click on the selected button still raises Click
    else
        Value = true;
}

const std::string& ListControl::List(int i) const
{
    if (i < 0 || i >= ListCount())
        return kEmpty;
    return items_[static_cast<std::size_t>(i)];
}

void ListControl::AddItem(std::string item)
{
    items_.push_back(std::move(item));
    dropOldItems();
    propertyChanged(PropId::List);
}

void ListControl::setMaxItems(int n)
{
    maxItems_ = std::max(n, 0);
    if (dropOldItems())
        propertyChanged(PropId::List);
}

bool ListControl::dropOldItems()
{
    if (maxItems_ <= 0 || ListCount() <= maxItems_)
        return false;
    const int dropped = ListCount() - maxItems_;
    items_.erase(items_.begin(), items_.begin() + dropped);
    ++generation_;
    // The selection stays on its item while that is kept.
    if (ListIndex >= 0)
        ListIndex.setQuietly(ListIndex >= dropped ? ListIndex - dropped : -1);
    return true;
}

void ListControl::RemoveItem(int i)
{
    if (i < 0 || i >= ListCount())
        return;
    items_.erase(items_.begin() + i);
    ++generation_;
    if (ListIndex >= ListCount())
        ListIndex.setQuietly(-1);
    propertyChanged(PropId::List);
}

void ListControl::Clear()
{
    items_.clear();
    ++generation_;
    ListIndex.setQuietly(-1);
    propertyChanged(PropId::List);
}

void ListControl::onChanged(PropId id)
{
    if (id == PropId::ListIndex)
        run(Click);
}

void ListBox::Refresh() { rt().refresh(*this); }

void ComboBox::onChanged(PropId id)
{
    if (id == PropId::ListIndex) {
        // Choosing an item shows it as the text (raising Change), then Click.
        if (ListIndex >= 0)
            Text = List(ListIndex);
        run(Click);
    } else if (id == PropId::Text) {
        run(Change);
    }
}

void ComboBox::userType(std::string text)
{
    const Runtime::UserEvent event(rt());
    // The item shown keeps its index where the list holds the same text twice.
    if (List(ListIndex) != text) {
        const auto it = std::find(items_.begin(), items_.end(), text);
        ListIndex.setQuietly(it == items_.end() ? -1 : static_cast<int>(it - items_.begin()));
    }
    Text = std::move(text);
}

void RichTextBox::setText(std::string t)
{
    text_ = std::move(t);
    start_ = 0;
    lines_ = std::count(text_.begin(), text_.end(), '\n');
    dropped_ = 0;
    ++generation_;
    dropOldLines();
    propertyChanged(PropId::Text);
}

void RichTextBox::append(std::string_view s)
{
    if (s.empty())
        return;
    text_.append(s);
    lines_ += std::count(s.begin(), s.end(), '\n');
    dropOldLines();
    propertyChanged(PropId::Text);
}

void RichTextBox::setMaxLines(int n)
{
    maxLines_ = std::max(n, 0);
    dropOldLines();
}

void RichTextBox::dropOldLines()
{
    if (maxLines_ <= 0 || lines_ <= maxLines_)
        return;
    std::size_t from = start_;
    for (; lines_ > maxLines_; --lines_)
        from = text_.find('\n', from) + 1;
    dropped_ += from - start_;
    start_ = from;
    // The dropped prefix goes once it is as long as the text kept, so each
    // character is moved a bounded number of times.
    if (start_ >= text_.size() - start_) {
        text_.erase(0, start_);
        start_ = 0;
    }
}

void TabControl::setTabs(std::vector<std::string> captions)
{
    captions_ = std::move(captions);
    propertyChanged(PropId::Caption);
}

const std::string& TabControl::TabCaption(int i) const
{
    if (i < 0 || i >= Tabs())
        return kEmpty;
    return captions_[static_cast<std::size_t>(i)];
}

void TabControl::setTabCaption(int i, std::string caption)
{
    if (i < 0 || i >= Tabs())
        return;
    captions_[static_cast<std::size_t>(i)] = std::move(caption);
    propertyChanged(PropId::Caption);
}

Menu::Menu(Form& f, std::string name, std::string caption, Menu* parent, int index)
    : Control(f, Kind::Menu, std::move(name), index), parent_(parent)
{
    Caption.setQuietly(std::move(caption));
    if (parent_)
        parent_->children_.push_back(this);
}

void Menu::userClick()
{
    const Runtime::UserEvent event(rt());
    if (Enabled && Visible)
        run(Click);
}

void Grid::resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    std::vector<std::string> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            cells[static_cast<std::size_t>(r * cols + c)] = std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
    cells_ = std::move(cells);
    widths_.resize(static_cast<std::size_t>(cols), 64);
    rows_ = rows;
    cols_ = cols;
    propertyChanged(PropId::Cells);
}

void Grid::setRows(int n) { resize(n, cols_); }
void Grid::setCols(int n) { resize(rows_, n); }

const std::string& Grid::TextMatrix(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return kEmpty;
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

void Grid::setTextMatrix(int row, int col, std::string text)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return;
    cells_[static_cast<std::size_t>(row * cols_ + col)] = std::move(text);
    propertyChanged(PropId::Cells);
}

int Grid::ColWidth(int col) const
{
    if (col < 0 || col >= cols_)
        return 0;
    return widths_[static_cast<std::size_t>(col)];
}

void Grid::setColWidth(int col, int pixels)
{
    if (col < 0 || col >= cols_)
        return;
    widths_[static_cast<std::size_t>(col)] = std::max(pixels, 0);
    propertyChanged(PropId::Cells);
}

}  // namespace ui
