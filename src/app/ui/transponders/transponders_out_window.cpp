#include "ui/transponders/transponders_out_window.h"

#include "output/transponders_out_print.h"
#include "ui/drivers/controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

TranspondersOutWindow::TranspondersOutWindow(Program& program, Operator& op,
                                             ReportPrinting printing, QWidget* parent)
    : TransponderListWindow(program, op, "Transponders out", "TranspondersOutF", "OutLB", parent),
      printing_(std::move(printing)) {
    auto* caption = new QLabel(QStringLiteral("&Loan transponders not returned"), this);
    caption->setBuddy(list_);
    auto* print = plainButton(QStringLiteral("&Print"), "PrintBtn", this);
    auto* close = plainButton(QStringLiteral("Close"), "CloseBtn", this);
    connect(print, &QPushButton::clicked, this, &TranspondersOutWindow::printList);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(return_);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(520, 320);
}

void TranspondersOutWindow::printList() {
    desk_.reload();
    const std::vector<HouseTransponder> lent = desk_.out();
    printing_.print(this, "Transponders out",
                    [&lent](PrintStream& out, const ReportContext& context) {
                        return printTranspondersOut(out, context, lent);
                    });
}

} // namespace vexa
