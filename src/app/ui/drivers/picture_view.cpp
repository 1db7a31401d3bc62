#include "ui/drivers/picture_view.h"

#include <QImageReader>
#include <QPixmap>

#include <system_error>

namespace vexa {

PictureView::PictureView(const char* name, QWidget* parent) : QLabel(parent) {
    setObjectName(QString::fromLatin1(name));
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(160, 200);
}

void PictureView::showFile(const std::filesystem::path& path) {
    clear();
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return;
    QImageReader reader(QString::fromStdU16String(path.u16string()));
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    // Only as many pixels as the frame shows are decoded.
    if (full.isValid())
        reader.setScaledSize(full.scaled(contentsRect().size(), Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (!image.isNull()) setPixmap(QPixmap::fromImage(image));
}

bool PictureView::showsPicture() const {
    return !pixmap().isNull();
}

} // namespace vexa
