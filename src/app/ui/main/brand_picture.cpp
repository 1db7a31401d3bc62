#include "ui/main/brand_picture.h"

#include <QLinearGradient>
#include <QPainter>

namespace vexa {

QPixmap brandPicture(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x10, 0x3a, 0x8a));
    sky.setColorAt(1, QColor(0x06, 0x1a, 0x45));
    p.setBrush(sky);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, width, height), height / 5.0, height / 5.0);
    // A chequered strip along the bottom: the finish line.
    const int cell = std::max(2, height / 8);
    for (int x = 0, i = 0; x < width; x += cell, ++i)
        for (int row = 0; row < 2; ++row) {
            p.setBrush((i + row) % 2 ? Qt::white : Qt::black);
            p.drawRect(x, height - cell * (2 - row), cell, cell);
        }
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(height * 55 / 100);
    p.setFont(font);
    p.setPen(QColor(0xff, 0xc8, 0x20));
    p.drawText(QRectF(0, 0, width, height - 2 * cell), Qt::AlignCenter, QStringLiteral("VEXA"));
    return pixmap;
}

} // namespace vexa
