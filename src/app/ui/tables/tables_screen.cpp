#include "ui/tables/tables_screen.h"

#include "files/event_files.h"
#include "ports/operator.h"
#include "program/program.h"
#include "programme/entry_checks.h"
#include "programme/frequency_allocation.h"
#include "programme/table_moves.h"
#include "ui/common/named.h"
#include "ui/frequencies/text_list_window.h"
#include "ui/models/racing_table_model.h"
#include "ui/print/racing_table_print_window.h"
#include "ui/tables/entry_problems_grid.h"
#include "ui/tables/racing_grid.h"
#include "ui/tables/table_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int ProblemRowsShown = 5; // at the least; more when the window is taller

// A scroll area that asks for its page's whole size, and shrinks below it only when it must.
class WholePageScrollArea : public QScrollArea {
  public:
    explicit WholePageScrollArea(QWidget* parent) : QScrollArea(parent) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() + QSize(verticalScrollBar()->sizeHint().width(), 0)
                        : QScrollArea::sizeHint();
    }
};

QPushButton* toolButton(const char* caption, const char* name, QHBoxLayout* bar, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    return b;
}

} // namespace

TablesScreen::TablesScreen(Program& program, Operator& op, TablesScreenPorts ports, QWidget* parent)
    : QWidget(parent), program_(program), op_(op), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("TablesScreen"));

    auto* bar = new QHBoxLayout;
    auto* remove = toolButton("Delete", "DeleteBtn", bar, this);
    auto* checkButton = toolButton("Check", "CheckBtn", bar, this);
    bar->addSpacing(16);
    auto* changes = toolButton("Freq Changes", "FreqChangesBtn", bar, this);
    auto* freqSortButton = toolButton("Freq Sort ", "FreqSortBtn", bar, this);
    bar->addSpacing(16);
    auto* sortButton = toolButton("Sort", "SortBtn", bar, this);
    auto* printButton = toolButton("Print", "PrintBtn", bar, this);
    bar->addStretch();

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("TablesPages"));
    heats_ = new TablePage(program_, true, pages_);
    finals_ = new TablePage(program_, false, pages_);
    pages_->addTab(heats_, QStringLiteral("Qualifiers / Heats"));
    pages_->addTab(finals_, QStringLiteral("Mains / Finals "));

    problems_ = new EntryProblemsGrid(this);
    problems_->setMinimumHeight(problems_->horizontalHeader()->sizeHint().height() +
                                problems_->verticalHeader()->defaultSectionSize() *
                                    ProblemRowsShown +
                                2 * problems_->frameWidth());
    auto* note = new QLabel(
        QStringLiteral(
            "If nothing appears in the box after pressing \"Check\", no problems exist."),
        this);
    note->setBuddy(problems_);

    // The pages keep their whole height where the window has it, and scroll in a small one
    // (a laptop's 600 pixels).
    auto* scroll = new WholePageScrollArea(this);
    scroll->setObjectName(QStringLiteral("TablesScroll"));
    scroll->setWidget(pages_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(scroll);
    layout->addWidget(note);
    layout->addWidget(problems_, 1);

    sort_ = new SortTableWindow(program_, op_, {ports_.writeOverallPage}, this);
    changes_ = new CrystalChangesWindow(program_, this);
    print_ = new RacingTablePrintWindow(ports_.printing, this);

    for (TablePage* page : {heats_, finals_})
        connect(page, &TablePage::driverOpenRequested, this, &TablesScreen::driverOpenRequested);
    connect(problems_, &EntryProblemsGrid::driverOpenRequested, this,
            &TablesScreen::driverOpenRequested);
    connect(problems_, &EntryProblemsGrid::frequenciesOpenRequested, this,
            &TablesScreen::frequenciesOpenRequested);
    connect(remove, &QPushButton::clicked, this, &TablesScreen::deleteRace);
    connect(checkButton, &QPushButton::clicked, this, &TablesScreen::check);
    connect(changes, &QPushButton::clicked, this, &TablesScreen::showFrequencyChanges);
    connect(freqSortButton, &QPushButton::clicked, this, &TablesScreen::freqSort);
    connect(sortButton, &QPushButton::clicked, this, &TablesScreen::sort);
    connect(printButton, &QPushButton::clicked, this, [this] { print_->openFor(!heatsShown()); });
}

TablesScreen::~TablesScreen() = default;

void TablesScreen::showTables() {
    redraw();
    showPage(program_.settings.racingHeats);
}

void TablesScreen::redraw() {
    heats_->redraw();
    finals_->redraw();
}

void TablesScreen::frequenciesChanged() {
    redraw();
    // The new frequencies are the drivers' own: they are kept at once, not only when the entry
    // window next closes.
    if (program_.paths) tellFailure(writeCompetitors(program_.paths->competitors, program_.event));
}

void TablesScreen::showPage(bool heats) {
    pages_->setCurrentWidget(heats ? heats_ : finals_);
}

bool TablesScreen::heatsShown() const {
    return pages_->currentWidget() == heats_;
}

TablePage& TablesScreen::shownPage() {
    return heatsShown() ? *heats_ : *finals_;
}

void TablesScreen::goTo(bool heats, int race, int slot) {
    TablePage& page = heats ? *heats_ : *finals_;
    page.selectCell(race, slot);
    showPage(heats);
    page.grid().setFocus();
}

bool TablesScreen::sortForFinals() {
    showPage(false);
    if (!sort_->openForFinals()) return false;
    tableRebuilt(false, sort_->choice().allocateFrequencies);
    return true;
}

void TablesScreen::deleteRace() {
    TablePage& page = shownPage();
    if (!op_.ask(DeleteRaceQuestion, Buttons::YesNo)) return;
    const int race = page.selectedRace();
    vexa::deleteRace(page.table(), race);
    page.model().racesChanged(race, race);
    page.refreshSideBar();
}

void TablesScreen::check() {
    problems_->showFindings(checkEntries(program_.event, heatsShown()));
}

void TablesScreen::showFrequencyChanges() {
    // The list is made again each time the window shows, so an open one is shown afresh.
    changes_->hide();
    changes_->show();
    changes_->raise();
    changes_->activateWindow();
}

void TablesScreen::freqSort() {
    if (!op_.ask(FreqSortQuestion, Buttons::YesCancel)) return;
    vexa::freqSort(program_.event, heatsShown());
    frequenciesChanged();
}

void TablesScreen::sort() {
    if (!sort_->openFromSort(heatsShown())) return;
    const SortChoice choice = sort_->choice();
    tableRebuilt(choice.heatsTable, choice.allocateFrequencies);
}

void TablesScreen::tableRebuilt(bool heats, bool frequenciesAllocated) {
    redraw();
    showPage(heats);
    // A rebuilt table is written at once: it may be raced from before the operator leaves this
    // screen, or without ever coming to it ("Enter Finals").
    if (!program_.paths) return;
    const EventPaths& paths = *program_.paths;
    tellFailure(writeTable(heats ? paths.heats : paths.finals,
                           heats ? program_.event.heats : program_.event.finals));
    if (frequenciesAllocated) tellFailure(writeCompetitors(paths.competitors, program_.event));
}

void TablesScreen::tellFailure(const Outcome& outcome) {
    if (!outcome) op_.inform(outcome.message);
}

} // namespace vexa
