#pragma once
// A control array: controls indexed by what they show, possibly with gaps.
#include <cassert>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace ui {

class Form;

template <class T> class ControlArray {
public:
    ControlArray(Form& form, std::string name) : form_(form), name_(std::move(name)) {}

    template <class... Args> T& add(int index, Args&&... args)
    {
        auto& slot = items_[index];
        slot = std::make_unique<T>(form_, name_, index, std::forward<Args>(args)...);
        return *slot;
    }
    bool exists(int index) const { return items_.count(index) != 0; }
    T& operator[](int index)
    {
        auto it = items_.find(index);
        if (it == items_.end())
            throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
        return *it->second;
    }
    const T& operator[](int index) const { return const_cast<ControlArray&>(*this)[index]; }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    std::size_t size() const { return items_.size(); }
    const std::string& name() const { return name_; }

    // Iterates in index order, yielding (index, control&).
    template <class F> void forEach(F f)
    {
        for (auto& [i, c] : items_)
            f(i, *c);
    }

private:
    Form& form_;
    std::string name_;
    std::map<int, std::unique_ptr<T>> items_;
};

}  // namespace ui
