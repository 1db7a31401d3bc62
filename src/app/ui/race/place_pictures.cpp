#include "ui/race/place_pictures.h"

#include "race/standings.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace vexa {

namespace {
constexpr int PictureSize = 52;
} // namespace

PlacePictures::PlacePictures(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const char* const places[] = {"1st Place", "2nd Place", "3rd Place"};
    for (int p = 0; p < 3; ++p) {
        auto* caption = new QLabel(QString::fromLatin1(places[p]), this);
        caption->setAlignment(Qt::AlignHCenter);
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("driverImage%1").arg(p + 1));
        picture->setFixedSize(PictureSize, PictureSize);
        picture->setAlignment(Qt::AlignCenter);
        picture->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        QSizePolicy keep = picture->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        picture->setSizePolicy(keep);
        picture->hide();
        layout->addWidget(caption, 0, p);
        layout->addWidget(picture, 1, p, Qt::AlignHCenter);
        pictures_[static_cast<size_t>(p)] = picture;
    }
}

void PlacePictures::refresh(const Standings& standings) {
    for (int p = 0; p < 3; ++p) {
        const std::string& file = standings.placePicture(p + 1);
        std::string& shown = shown_[static_cast<size_t>(p)];
        if (file == shown) continue;
        shown = file;
        QLabel* picture = pictures_[static_cast<size_t>(p)];
        const QString path = QString::fromStdString(file);
        QPixmap pixmap;
        if (!file.empty() && QFileInfo(path).isFile() && pixmap.load(path)) {
            picture->setPixmap(pixmap.scaled(PictureSize, PictureSize, Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation));
            picture->show();
        } else {
            picture->clear();
            picture->hide();
        }
    }
}

} // namespace vexa
