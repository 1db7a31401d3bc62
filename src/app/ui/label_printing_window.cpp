#include "ui/label_printing_window.h"

#include "output/label_print.h"
#include "platform/latin1.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

// A group of two choices, the first chosen; returns the second.
QRadioButton* choiceGroup(QVBoxLayout* into, const char* title, const char* firstName,
                          const char* first, const char* secondName, const char* second,
                          QWidget* parent) {
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    auto* a = new QRadioButton(QString::fromLatin1(first), group);
    a->setObjectName(QString::fromLatin1(firstName));
    a->setChecked(true);
    auto* b = new QRadioButton(QString::fromLatin1(second), group);
    b->setObjectName(QString::fromLatin1(secondName));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(a);
    layout->addWidget(b);
    into->addWidget(group);
    return b;
}

} // namespace

LabelPrintingWindow::LabelPrintingWindow(ReportPrinting printing, QWidget* parent)
    : QDialog(parent), printing_(std::move(printing)) {
    setObjectName(QStringLiteral("TVexaLabelPrintingDF"));
    setWindowTitle(QStringLiteral("Label Printing"));
    auto* layout = new QVBoxLayout(this);
    finals_ = choiceGroup(layout, "Print", "heatchk", "Heats / Qualifier Table", "RfinalsCHK",
                          "Finals / Mains Table", this);
    printThenFeed_ = choiceGroup(layout, "Type", "onecolchk", "Standard Sheet", "Printthenfeedchk",
                                 "Print then Feed", this);
    carNumberOrder_ = choiceGroup(layout, "Print Order", "ordercarheat", "Table Order", "ordercar",
                                  "Car Number", this);

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
    const InformOperator inform = printing_.inform;
    printing_.print(parent, [&](PrintStream& out, const ReportContext& context) {
        return printLabels(out, context, options, [&](const std::string& note) {
            if (inform) inform(parent, toQt(note));
        });
    });
}

} // namespace vexa
