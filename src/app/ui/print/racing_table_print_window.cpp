#include "ui/print/racing_table_print_window.h"

#include "output/racing_table_print.h"
#include "ui/common/choice_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

QLineEdit* raceBox(const char* name, const char* whenEmpty, QWidget* parent) {
    auto* box = new QLineEdit(QString::fromLatin1(whenEmpty), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setValidator(new QIntValidator(1, MaxRaces, box));
    box->setMaxLength(2);
    QObject::connect(box, &QLineEdit::editingFinished, box, [box, whenEmpty] {
        if (box->text().isEmpty()) box->setText(QString::fromLatin1(whenEmpty));
    });
    return box;
}

} // namespace

RacingTablePrintWindow::RacingTablePrintWindow(ReportPrinting printing, QWidget* parent)
    : QDialog(parent), printing_(std::move(printing)) {
    setObjectName(QStringLiteral("TracingtablprnF"));
    setWindowTitle(QStringLiteral("Racing Table Print"));

    auto* layout = new QVBoxLayout(this);
    const ChoicePair table = choiceGroup(layout, "Print", "heatchk", "Heats / Qualifier Table",
                                         "RfinalsCHK", "Finals / Mains Table", this);
    heats_ = table.first;
    finals_ = table.second;

    range_ = new QGroupBox(QStringLiteral("Range"), this);
    range_->setObjectName(QStringLiteral("rangeGB"));
    rangeStart_ = raceBox("rangestart", "1", range_);
    rangeEnd_ = raceBox("rangeend", "50", range_);
    auto* rangeLayout = new QGridLayout(range_);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Race"), range_), 0, 0);
    rangeLayout->addWidget(rangeStart_, 0, 1);
    rangeLayout->addWidget(new QLabel(QStringLiteral("to"), range_), 0, 2);
    rangeLayout->addWidget(rangeEnd_, 0, 3);
    rangeLayout->addWidget(
        new QLabel(QStringLiteral("Races without drivers are not printed"), range_), 1, 0, 1, 4);

    printAll_ = new QCheckBox(QStringLiteral("Print all races"), this);
    printAll_->setObjectName(QStringLiteral("printallchk"));
    includeFrequencies_ = new QCheckBox(QStringLiteral("Include Frequencies"), this);
    includeFrequencies_->setObjectName(QStringLiteral("incfreqCHK"));
    includeFrequencies_->setChecked(true);
    includeFrequencies_->setToolTip(
        QStringLiteral("Includes the drivers frequencies (Useful when drivers should not know "
                       "each others frequecies)"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    layout->addWidget(range_);
    layout->addWidget(printAll_);
    layout->addWidget(includeFrequencies_);
    layout->addLayout(buttons);

    connect(printAll_, &QCheckBox::toggled, this, &RacingTablePrintWindow::printAllToggled);
    connect(ok, &QPushButton::clicked, this, &RacingTablePrintWindow::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    printAll_->setChecked(true);
}

void RacingTablePrintWindow::openFor(bool finalsShown) {
    (finalsShown ? finals_ : heats_)->setChecked(true);
    show();
}

void RacingTablePrintWindow::printAllToggled(bool on) {
    range_->setVisible(!on);
    if (on) {
        rangeStart_->setText(QStringLiteral("1"));
        rangeEnd_->setText(QStringLiteral("50"));
    }
}

void RacingTablePrintWindow::okClicked() {
    const RacingTablePrintOptions options{
        finals_->isChecked(), rangeStart_->text().isEmpty() ? 1 : rangeStart_->text().toInt(),
        rangeEnd_->text().isEmpty() ? MaxRaces : rangeEnd_->text().toInt(),
        includeFrequencies_->isChecked()};
    hide();
    printing_.print(parentWidget(), options.finals ? "Finals Table" : "Heats Table",
                    [&options](PrintStream& out, const ReportContext& context) {
                        return printRacingTable(out, context, options);
                    });
}

} // namespace vexa
