#include "ui/drivers/picture_dialog.h"

#include "files/picture_folder.h"
#include "platform/latin1.h"
#include "ports/operator.h"
#include "ui/drivers/picture_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vexa {

PictureDialog::PictureDialog(const std::filesystem::path& picsDir, const std::string& current,
                             Operator& op, QWidget* parent)
    : QDialog(parent), picsDir_(picsDir), op_(op) {
    setObjectName(QStringLiteral("DriverPicF"));
    setWindowTitle(QStringLiteral("Drivers Picture"));
    setModal(true);

    auto* filesLabel = new QLabel(QStringLiteral("File List :"), this);
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("FileListBox"));
    filesLabel->setBuddy(files_);
    auto* pictureLabel = new QLabel(QStringLiteral("Picture"), this);
    picture_ = new PictureView("PictureIMG", this);
    pictureLabel->setBuddy(picture_);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(filesLabel, 0, 0);
    layout->addWidget(pictureLabel, 0, 1);
    layout->addWidget(files_, 1, 0);
    layout->addWidget(picture_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 2);

    for (const std::string& name : listPictures(picsDir_)) files_->addItem(toQt(name));
    const auto match =
        files_->findItems(toQt(current), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (!current.empty() && !match.isEmpty()) files_->setCurrentItem(match.first());
    preview();

    connect(files_, &QListWidget::itemSelectionChanged, this, &PictureDialog::preview);
    connect(files_, &QListWidget::itemDoubleClicked, this, &PictureDialog::okClicked);
    connect(ok, &QPushButton::clicked, this, &PictureDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    files_->setFocus();
}

QListWidgetItem* PictureDialog::selected() const {
    const QList<QListWidgetItem*> items = files_->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void PictureDialog::preview() {
    QListWidgetItem* item = selected();
    picture_->showFile(item ? picturePath(picsDir_, fromQt(item->text()))
                            : std::filesystem::path());
}

void PictureDialog::okClicked() {
    if (files_->count() == 0) {
        reject();
        return;
    }
    QListWidgetItem* item = selected();
    if (!item) {
        op_.inform(NoPictureSelectedMessage);
        return;
    }
    chosen_ = fromQt(item->text());
    accept();
}

} // namespace vexa
