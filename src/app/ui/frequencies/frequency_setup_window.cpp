#include "ui/frequencies/frequency_setup_window.h"

#include "files/freq_names_file.h"
#include "ports/operator.h"
#include "program/program.h"
#include "ui/frequencies/frequency_name_grid.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

FrequencySetupWindow::FrequencySetupWindow(Program& program, Operator& op, QWidget* parent)
    : QDialog(parent), program_(program), op_(op) {
    setObjectName(QStringLiteral("xtalsetupF"));
    setWindowTitle(QStringLiteral("Frequency Setup"));
    setModal(true);

    grid_ = new FrequencyNameGrid(this);
    grid_->setNames({program_.freqnames.names.begin() + 1, program_.freqnames.names.end()});
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    grid_->setFocus();
    resize(340, 520);
}

void FrequencySetupWindow::done(int result) {
    const Outcome saved =
        saveFreqNameRows(program_.home.freqNamesFile(), program_.freqnames, grid_->names());
    if (!saved) {
        op_.inform(saved.message);
        return;
    }
    QDialog::done(result);
}

} // namespace vexa
