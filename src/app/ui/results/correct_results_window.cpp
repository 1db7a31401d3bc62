#include "ui/results/correct_results_window.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "replay/stored_race_corrector.h"
#include "ui/common/named.h"
#include "ui/common/ok_cancel_row.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <vector>

namespace vexa {

namespace {

// The corrections in the order of the "Correction" list.
const Correction::Kind Kinds[] = {
    Correction::Kind::RemovePassing, Correction::Kind::AddLap,
    Correction::Kind::Penalty,       Correction::Kind::TakeBackPenalty,
    Correction::Kind::SetResult,     Correction::Kind::AssignTransponder};

QTableWidget* grid(const QStringList& headers, const char* name, QWidget* parent) {
    auto* g = named(new QTableWidget(0, static_cast<int>(headers.size()), parent), name);
    g->setHorizontalHeaderLabels(headers);
    g->verticalHeader()->hide();
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {50, 200, 60};
    for (int c = 0; c < 3; ++c) g->setColumnWidth(c, widths[c]);
    return g;
}

QString secondsText(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", seconds);
    return QString::fromLatin1(buf);
}

void fillRow(QTableWidget& g, int row, const std::vector<QString>& cells) {
    for (size_t c = 0; c < cells.size(); ++c)
        g.setItem(row, static_cast<int>(c), new QTableWidgetItem(cells[c]));
}

} // namespace

CorrectResultsWindow::CorrectResultsWindow(StoredRaceCorrector& corrector, Operator& op,
                                           std::function<void()> corrected, QWidget* parent)
    : QDialog(parent), corrector_(corrector), op_(op), corrected_(std::move(corrected)) {
    setObjectName(QStringLiteral("TVexaCorrectResultsF"));
    setWindowTitle(QStringLiteral("Correct Results"));
    setModal(true);

    race_ = named(new QComboBox(this), "raceChoice");
    for (const StoredRaceChoice& r : corrector_.races()) race_->addItem(toQt(r.caption));
    passings_ = grid({QStringLiteral("Car"), QStringLiteral("Driver"), QStringLiteral("Lap"),
                      QStringLiteral("Race Time")},
                     "passingsGrid", this);
    passings_->setSelectionMode(QAbstractItemView::SingleSelection);
    passings_->setMinimumHeight(260);
    kind_ = named(new QComboBox(this), "correctionKind");
    kind_->addItems({QStringLiteral("Remove the selected passing"),
                     QStringLiteral("Add a missed lap"), QStringLiteral("Give a time penalty"),
                     QStringLiteral("Take back a time penalty"),
                     QStringLiteral("Set laps and time"),
                     QStringLiteral("Give the unknown car's laps to a driver")});
    car_ = named(new QSpinBox(this), "carNumber");
    car_->setRange(1, 20);
    lapSeconds_ = named(new QLineEdit(this), "lapSecondsEdit");
    laps_ = named(new QLineEdit(this), "lapsEdit");
    time_ = named(new QLineEdit(this), "timeEdit");
    owner_ = named(new QComboBox(this), "lapsOwnerChoice");
    keep_ = named(new QCheckBox(QStringLiteral("The driver keeps this transponder for the rest of "
                                               "the meeting"),
                                this),
                  "keepTransponderCHK");
    reason_ = named(new QLineEdit(this), "reasonEdit");
    results_ = grid({QStringLiteral("Car"), QStringLiteral("Driver"), QStringLiteral("Laps"),
                     QStringLiteral("Time")},
                    "resultsGrid", this);
    results_->setSelectionMode(QAbstractItemView::NoSelection);
    results_->setMinimumHeight(160);

    auto* form = new QFormLayout;
    const auto labelled = [&](const char* caption, QWidget* input, const char* name) {
        auto* label = named(new QLabel(QString::fromLatin1(caption), this), name);
        label->setBuddy(input);
        form->addRow(label, input);
    };
    labelled("&Race", race_, "raceLabel");
    labelled("&Passings", passings_, "passingsLabel");
    labelled("C&orrection", kind_, "correctionLabel");
    labelled("&Car", car_, "carLabel");
    labelled("Missed lap at race &second", lapSeconds_, "lapSecondsLabel");
    labelled("&Laps", laps_, "lapsLabel");
    labelled("&Time (seconds)", time_, "timeLabel");
    labelled("These laps &were", owner_, "lapsOwnerLabel");
    form->addRow(QString(), keep_);
    labelled("R&eason", reason_, "reasonLabel");
    labelled("Res&ults", results_, "resultsLabel");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const OkCancelRow buttons = okCancelRow(layout, "OK", "Close", this);

    connect(race_, &QComboBox::currentIndexChanged, this, &CorrectResultsWindow::chooseRace);
    connect(passings_, &QTableWidget::itemSelectionChanged, this,
            &CorrectResultsWindow::passingSelected);
    connect(buttons.ok, &QPushButton::clicked, this, &CorrectResultsWindow::apply);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 720);
    if (!corrector_.races().empty()) chooseRace(0);
}

void CorrectResultsWindow::showEvent(QShowEvent* event) {
    keep_->setVisible(static_cast<bool>(keepTransponder));
    QDialog::showEvent(event);
}

void CorrectResultsWindow::chooseRace(int index) {
    if (index < 0) return;
    if (const Outcome opened = corrector_.choose(static_cast<size_t>(index)); !opened)
        op_.inform(opened.message);
    for (const std::string& note : corrector_.notes()) op_.inform(note);
    refresh(false);
}

void CorrectResultsWindow::passingSelected() {
    const int row = passings_->currentRow();
    if (row < 0 || static_cast<size_t>(row) >= corrector_.passings().size()) return;
    car_->setValue(corrector_.passings()[static_cast<size_t>(row)].car);
}

void CorrectResultsWindow::apply() {
    CorrectionRequest request;
    request.kind = Kinds[std::max(0, kind_->currentIndex())];
    request.car = car_->value();
    const QList<QTableWidgetItem*> selected = passings_->selectedItems();
    if (!selected.empty()) {
        const CountedPassing& p = corrector_.passings().at(static_cast<size_t>(selected[0]->row()));
        if (p.car == request.car) request.selectedLap = p.lap;
    }
    request.lapSeconds = fromQt(lapSeconds_->text());
    request.laps = fromQt(laps_->text());
    request.time = fromQt(time_->text());
    if (!selected.empty())
        request.transponder =
            corrector_.passings().at(static_cast<size_t>(selected[0]->row())).unknownTransponder;
    request.driverCar = owner_->currentData().toInt();
    const RaceCorrectionResult done = corrector_.apply(request, fromQt(reason_->text()));
    for (const std::string& message : done.messages) op_.inform(message);
    refresh(!done.outcome);
    if (!done.outcome) {
        op_.inform(done.outcome.message);
        return;
    }
    reason_->clear();
    if (corrected_) corrected_();
    if (request.kind == Correction::Kind::AssignTransponder && keep_->isChecked() &&
        keepTransponder)
        if (const Outcome kept = keepTransponder(done.id, request.transponder); !kept)
            op_.inform(kept.message);
}

void CorrectResultsWindow::refresh(bool keep) {
    const int selected = keep ? passings_->currentRow() : -1;
    const std::vector<CountedPassing>& passings = corrector_.passings();
    passings_->clearSelection();
    passings_->clearContents();
    passings_->setRowCount(static_cast<int>(passings.size()));
    for (size_t i = 0; i < passings.size(); ++i) {
        const CountedPassing& p = passings[i];
        fillRow(*passings_, static_cast<int>(i),
                {QString::number(p.car), toQt(p.driver), QString::number(p.lap),
                 secondsText(p.raceSeconds)});
    }
    if (selected >= 0 && selected < passings_->rowCount()) passings_->selectRow(selected);
    const std::vector<CarResult>& results = corrector_.results();
    const int owner = owner_->currentData().toInt();
    owner_->clear();
    for (const CarResult& r : results)
        owner_->addItem(toQt(r.driver + "'s (car " + std::to_string(r.car) + ")"), r.car);
    owner_->setCurrentIndex(std::max(0, owner_->findData(owner)));
    results_->clearContents();
    results_->setRowCount(static_cast<int>(results.size()));
    for (size_t i = 0; i < results.size(); ++i) {
        const CarResult& r = results[i];
        fillRow(*results_, static_cast<int>(i),
                {QString::number(r.car), toQt(r.driver),
                 r.laps < 0 ? QStringLiteral("-") : QString::number(r.laps),
                 r.laps < 0 ? QString() : secondsText(r.time)});
    }
}

} // namespace vexa
