#pragma once
// A picture box on screen: the control's pixel buffer and printed text.
// Refresh only marks its view; the runtime's frame takes the picture and
// repaints, so a drawing loop costs at most about 30 repaints a second.
#include <QImage>
#include <QWidget>

#include "qt/ViewUpdates.h"
#include "ui/PictureBox.h"

namespace qt {

class PictureWidget : public QWidget {
public:
    static constexpr int kRepaintMs = ViewUpdates::kFrameMs;

    PictureWidget(ui::PictureBox& pic, QWidget* parent);

    // Takes the picture when it changed since it was last taken, and repaints.
    void showPicture();
    // How often the picture was taken from the control (for the tests of coalescing).
    int imageBuilds() const { return imageBuilds_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void takePicture();

    ui::PictureBox& pic_;
    QImage image_;
    unsigned long long shownVersion_ = 0;
    bool shownAny_ = false;
    int imageBuilds_ = 0;
};

}  // namespace qt
