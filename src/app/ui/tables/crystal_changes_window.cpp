#include "ui/tables/crystal_changes_window.h"

#include "platform/latin1.h"
#include "programme/frequency_lists.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

CrystalChangesWindow::CrystalChangesWindow(const EventData& event, QWidget* parent)
    : QDialog(parent), event_(event) {
    setObjectName(QStringLiteral("TxtalchangesF"));
    setWindowTitle(QStringLiteral("Crystal Changes"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("changesLB"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(300, 400);
}

void CrystalChangesWindow::showChanges() {
    list_->clear();
    for (const FreqChangeLine& line : frequencyChanges(event_)) list_->addItem(toQt(line.text));
    show();
    raise();
    activateWindow();
}

} // namespace vexa
