#pragma once
// A picture box on screen: the control's pixel buffer and printed text.
// Refresh only marks it; a short timer repaints when the picture changed, so a
// drawing loop costs at most about 30 repaints a second.
#include <QImage>
#include <QTimer>
#include <QWidget>

#include "ui/PictureBox.h"

namespace qt {

class PictureWidget : public QWidget {
public:
    static constexpr int kRepaintMs = 33;

    PictureWidget(ui::PictureBox& pic, QWidget* parent);

    // The picture changed (Refresh): repaint within kRepaintMs.
    void markDirty();
    // Takes the picture as it is now and repaints.
    void repaintNow();
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
    QTimer coalesce_;
};

}  // namespace qt
