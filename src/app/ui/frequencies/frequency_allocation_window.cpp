#include "ui/frequencies/frequency_allocation_window.h"

#include "platform/latin1.h"
#include "program/program.h"
#include "programme/frequency_allocation.h"
#include "ui/frequencies/frequency_check_list.h"
#include "ui/frequencies/frequency_choice_box.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

// A group with its drop-down and its conflict label.
QGroupBox* frequencyGroup(const char* title, const char* name, FrequencyChoiceBox* box,
                          QLabel* conflict, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(box);
    layout->addWidget(conflict);
    return group;
}

QLabel* makeConflictLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setStyleSheet(QStringLiteral("color: red"));
    label->setMinimumHeight(label->fontMetrics().height());
    return label;
}

} // namespace

FrequencyAllocationWindow::FrequencyAllocationWindow(Program& program, int id, QWidget* parent)
    : QDialog(parent), program_(program), id_(validId(id) ? id : 1) {
    setObjectName(QStringLiteral("freqF"));
    setWindowTitle(QStringLiteral("Frequencies"));
    setModal(true);

    comp_ent& c = program_.event.competitor(id_);
    auto* crystalsLabel = new QLabel(QStringLiteral("Drivers Crystal List"), this);
    crystals_ = new FrequencyCheckList(program_.freqnames, program_.settings.oneColumn ? 1 : 2,
                                       "freqlistCLB", this);
    crystals_->setChecked(c.ownedFreqs());
    crystalsLabel->setBuddy(crystals_);

    heat_ = new FrequencyChoiceBox("heatfreqCB", this);
    final_ = new FrequencyChoiceBox("finalfreqCB", this);
    heatConflict_ = makeConflictLabel("heatconflictLB", this);
    finalConflict_ = makeConflictLabel("finalconflictLB", this);
    QGroupBox* heatGroup =
        frequencyGroup("Heat/Qualifier Frequency", "heatfreqGB", heat_, heatConflict_, this);
    QGroupBox* finalGroup =
        frequencyGroup("Final/Main Frequency", "finalfreqGB", final_, finalConflict_, this);
    for (auto [box, heats] : {std::pair{heat_, true}, std::pair{final_, false}}) {
        box->choices = [this, heats] {
            const comp_ent& shown = program_.event.competitor(id_);
            return frequencyChoices(heats ? shown.heatfreq : shown.finalfreq, crystals_->checked(),
                                    program_.freqnames);
        };
        box->chosen = [this, heats](int freq) {
            chooseFrequency(program_.event.competitor(id_), heats, freq);
            showConflicts();
        };
        box->rebuild();
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* name = new QLabel(QStringLiteral("(%1) %2").arg(id_).arg(toQt(c.name)), this);
    name->setObjectName(QStringLiteral("drivernameLB"));
    auto* side = new QVBoxLayout;
    side->addWidget(name);
    // The table raced from comes first.
    const bool heats = program_.settings.racingHeats;
    side->addWidget(heats ? heatGroup : finalGroup);
    side->addWidget(heats ? finalGroup : heatGroup);
    side->addStretch();
    side->addWidget(ok, 0, Qt::AlignRight);

    auto* layout = new QGridLayout(this);
    layout->addWidget(crystalsLabel, 0, 0);
    layout->addWidget(crystals_, 1, 0);
    layout->addLayout(side, 0, 1, 2, 1);
    layout->setColumnStretch(0, 1);

    setTabOrder(crystals_, heats ? heat_ : final_);
    setTabOrder(heats ? heat_ : final_, heats ? final_ : heat_);
    setTabOrder(heats ? final_ : heat_, ok);
    showConflicts();
    crystals_->setFocus();
    resize(640, 460);
}

void FrequencyAllocationWindow::showConflicts() {
    heatConflict_->setText(toQt(conflictLabel(program_.event, id_, true)));
    finalConflict_->setText(toQt(conflictLabel(program_.event, id_, false)));
}

void FrequencyAllocationWindow::done(int result) {
    program_.event.competitor(id_).setOwnedFreqs(crystals_->checked());
    QDialog::done(result);
}

} // namespace vexa
