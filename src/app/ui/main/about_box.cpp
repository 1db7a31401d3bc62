#include "ui/main/about_box.h"

#include "base/version.h"
#include "ui/main/brand_picture.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(brandPicture(180, 56));
    auto* product = new QLabel(QString::fromLatin1(ProductTitle), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    auto* version =
        new QLabel(QStringLiteral("Version: ") + QString::fromLatin1(ProgramVersion), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* made =
        new QLabel(QStringLiteral("Date Made: ") + QString::fromLatin1(ProgramDateMade), this);
    made->setObjectName(QStringLiteral("DateMade"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(picture), static_cast<QWidget*>(product),
                       static_cast<QWidget*>(version), static_cast<QWidget*>(made)})
        layout->addWidget(w, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vexa
