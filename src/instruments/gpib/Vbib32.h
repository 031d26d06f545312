#pragma once
// The GPIB call layer.
#include "ui/Runtime.h"

namespace gpib {

class Vbib32 {
public:
    explicit Vbib32(ui::Runtime& rt) : rt_(rt) {}

private:
    ui::Runtime& rt_;
};

}  // namespace gpib
