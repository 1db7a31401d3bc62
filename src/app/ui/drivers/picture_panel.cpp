#include "ui/drivers/picture_panel.h"

#include "files/picture_folder.h"
#include "ui/drivers/controls.h"
#include "ui/drivers/picture_dialog.h"
#include "ui/drivers/picture_view.h"

#include <QVBoxLayout>

namespace vexa {

PicturePanel::PicturePanel(std::filesystem::path picsDir, Operator& op, QWidget* parent)
    : QWidget(parent), picsDir_(std::move(picsDir)), op_(op) {
    view_ = new PictureView("PictureIMG", this);
    choose_ = plainButton(QStringLiteral("&Picture File"), "PictureBtn", this);
    remove_ = plainButton(QStringLiteral("&Remove Picture"), "RemovePicBtn", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    layout->addWidget(choose_);
    layout->addWidget(remove_);
    layout->addStretch();
    connect(choose_, &QPushButton::clicked, this, &PicturePanel::choose);
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (changed) changed({});
        showPicture({});
    });
}

void PicturePanel::showPicture(const std::string& name) {
    view_->showFile(picturePath(picsDir_, name));
}

void PicturePanel::choose() {
    PictureDialog dialog(picsDir_, current ? current() : std::string(), op_, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    if (changed) changed(*dialog.chosen());
    showPicture(*dialog.chosen());
}

} // namespace vexa
