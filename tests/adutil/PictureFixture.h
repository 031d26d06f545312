#pragma once
// A bare form with one picture box on the headless runtime.
#include <gtest/gtest.h>

#include "support/HeadlessRuntime.h"
#include "ui/Form.h"
#include "ui/PictureBox.h"

namespace adutil_test {

class PictureForm : public ui::Form {
public:
    PictureForm(ui::Runtime& rt, int width, int height) : ui::Form(rt, "frmPicture")
    {
        pic.move(0, 0, width, height);
        pic.resizeBuffer(width, height);
    }
    ui::PictureBox pic{*this, "pic"};
};

}  // namespace adutil_test
