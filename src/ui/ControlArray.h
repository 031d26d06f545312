#pragma once
// A control array: controls indexed by what they show, possibly with gaps.
#include <cassert>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

class Form;

template <class T> class ControlArray {
public:
    ControlArray(Form& form, std::string name) : form_(form), name_(std::move(name)) {}

    template <class... Args> T& add(int index, Args&&... args)
    {
        auto& slot = slotFor(index);
        if (!slot)
            ++count_;
        slot = std::make_unique<T>(form_, name_, index, std::forward<Args>(args)...);
        return *slot;
    }
    bool exists(int index) const { return find(index) != nullptr; }
    T& operator[](int index)
    {
        T* c = find(index);
        if (!c)
            throw std::out_of_range(name_ + "(" + std::to_string(index) + ") does not exist");
        return *c;
    }
    const T& operator[](int index) const { return const_cast<ControlArray&>(*this)[index]; }
    int LBound() const { return count_ == 0 ? 0 : first_; }
    int UBound() const { return count_ == 0 ? -1 : first_ + static_cast<int>(slots_.size()) - 1; }
    std::size_t size() const { return count_; }
    const std::string& name() const { return name_; }

    // Iterates in index order, yielding (index, control&).
    template <class F> void forEach(F f)
    {
        for (std::size_t k = 0; k < slots_.size(); ++k)
            if (slots_[k])
                f(first_ + static_cast<int>(k), *slots_[k]);
    }

private:
    // The forms index their arrays on every scan: a slot per index from the
    // lowest, gaps empty, is a subscript rather than a tree search.
    T* find(int index) const
    {
        const long k = static_cast<long>(index) - first_;
        return k >= 0 && k < static_cast<long>(slots_.size()) ? slots_[static_cast<std::size_t>(k)].get() : nullptr;
    }
    std::unique_ptr<T>& slotFor(int index)
    {
        if (slots_.empty())
            first_ = index;
        if (index < first_) {
            std::vector<std::unique_ptr<T>> moved(static_cast<std::size_t>(first_ - index));
            for (auto& c : slots_)
                moved.push_back(std::move(c));
            slots_ = std::move(moved);
            first_ = index;
        }
        const auto k = static_cast<std::size_t>(index - first_);
        if (k >= slots_.size())
            slots_.resize(k + 1);
        return slots_[k];
    }

    Form& form_;
    std::string name_;
    int first_ = 0;  // the index of slots_[0]
    std::vector<std::unique_ptr<T>> slots_;  // ends always filled
    std::size_t count_ = 0;
};

}  // namespace ui
