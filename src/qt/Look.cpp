#include "qt/Look.h"

#include <QApplication>

namespace qt {

namespace {
constexpr const char* kBorder = "#7A7A7A";
constexpr const char* kDisabledText = "#8C8C8C";
}  // namespace

void applyLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The forms are laid out in pixels for a small dialog font.
    QFont f = QApplication::font();
    f.setPointSize(8);
    QApplication::setFont(f);
}

QColor toQColor(vb::Color c) { return QColor::fromRgb(static_cast<QRgb>(c & 0xFFFFFFu) | 0xFF000000u); }

QString colorName(vb::Color c) { return QStringLiteral("#%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper(); }

QString flatSheet(const char* qtClass, vb::Color back, vb::Color fore)
{
    const QString cls = QLatin1String(qtClass);
    return QStringLiteral("%1 { background-color: %2; color: %3; } %1:disabled { color: %4; }")
        .arg(cls, colorName(back), colorName(fore), QLatin1String(kDisabledText));
}

QString buttonSheet(vb::Color back, vb::Color fore)
{
    return QStringLiteral(
        "QPushButton { background-color: %1; color: %2; border: 1px solid %3; border-radius: 2px; padding: 1px 4px; }"
        " QPushButton:focus { border: 1px solid #3C7FB1; }"
        " QPushButton:pressed { border: 2px solid #3C3C3C; }"
        " QPushButton:disabled { color: %4; border: 1px solid #ADADAD; }")
        .arg(colorName(back), colorName(fore), QLatin1String(kBorder), QLatin1String(kDisabledText));
}

QString frameSheet(vb::Color back, vb::Color fore)
{
    return QStringLiteral(
        "QGroupBox { background-color: %1; color: %2; border: 1px solid #A0A0A0; margin-top: 6px; }"
        " QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"
        " QGroupBox:disabled { color: %3; }")
        .arg(colorName(back), colorName(fore), QLatin1String(kDisabledText));
}

QFont controlFont(bool bold, int pointSize)
{
    QFont f = QApplication::font();
    f.setBold(bold);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    return f;
}

}  // namespace qt
