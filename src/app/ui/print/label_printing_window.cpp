#include "ui/print/label_printing_window.h"

#include "output/label_print.h"
#include "platform/latin1.h"
#include "ui/common/choice_group.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

LabelPrintingWindow::LabelPrintingWindow(ReportPrinting printing, QWidget* parent)
    : QDialog(parent), printing_(std::move(printing)) {
    setObjectName(QStringLiteral("TVexaLabelPrintingDF"));
    setWindowTitle(QStringLiteral("Label Printing"));
    auto* layout = new QVBoxLayout(this);
    finals_ = choiceGroup(layout, "Print", "heatchk", "Heats / Qualifier Table", "RfinalsCHK",
                          "Finals / Mains Table", this)
                  .second;
    printThenFeed_ = choiceGroup(layout, "Type", "onecolchk", "Standard Sheet", "Printthenfeedchk",
                                 "Print then Feed", this)
                         .second;
    carNumberOrder_ = choiceGroup(layout, "Print Order", "ordercarheat", "Table Order", "ordercar",
                                  "Car Number", this)
                          .second;

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &LabelPrintingWindow::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LabelPrintingWindow::okClicked() {
    const LabelPrintOptions options{finals_->isChecked(), printThenFeed_->isChecked(),
                                    carNumberOrder_->isChecked()};
    accept();
    QWidget* parent = parentWidget();
    Operator& op = printing_.op;
    printing_.print(parent, "Labels", [&](PrintStream& out, const ReportContext& context) {
        return printLabels(out, context, options,
                           [&op](const std::string& note) { op.inform(note); });
    });
}

} // namespace vexa
