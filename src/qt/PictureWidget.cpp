#include "qt/PictureWidget.h"

#include <QFontDatabase>
#include <QPainter>

#include "qt/Look.h"

namespace qt {

PictureWidget::PictureWidget(ui::PictureBox& pic, QWidget* parent) : QWidget(parent), pic_(pic)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::showPicture()
{
    if (shownAny_ && pic_.version() == shownVersion_)
        return;
    takePicture();
    update();
}

void PictureWidget::takePicture()
{
    ++imageBuilds_;
    shownVersion_ = pic_.version();
    shownAny_ = true;
    const int w = pic_.bufferWidth(), h = pic_.bufferHeight();
    if (w <= 0 || h <= 0) {
        image_ = QImage();
        return;
    }
    if (image_.width() != w || image_.height() != h)
        image_ = QImage(w, h, QImage::Format_RGB32);
    const auto& px = pic_.pixels();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const vb::Color* src = px.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x)
            line[x] = 0xFF000000u | (src[x] & 0xFFFFFFu);
    }
}

void PictureWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The back colour shows only where the picture's pixels do not reach.
    if (image_.width() < width() || image_.height() < height())
        p.fillRect(rect(), toQColor(pic_.BackColor));
    if (!image_.isNull())
        p.drawImage(0, 0, image_);
    if (pic_.texts().empty())
        return;
    // Printed text sits in the picture's fixed character cells, one glyph per cell,
    // so TextWidth and what the user sees agree.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(ui::PictureBox::kCharHeight - 2);
    p.setFont(mono);
    for (const auto& t : pic_.texts()) {
        p.setPen(toQColor(t.color));
        const QString s = QString::fromStdString(t.text);
        for (qsizetype i = 0; i < s.size(); ++i)
            p.drawText(QRect(t.x + static_cast<int>(i) * ui::PictureBox::kCharWidth, t.y, ui::PictureBox::kCharWidth,
                           ui::PictureBox::kCharHeight),
                Qt::AlignCenter, QString(s[i]));
    }
}

}  // namespace qt
