#include "ui/tables/table_page.h"

#include "program/program.h"
#include "programme/table_moves.h"
#include "ui/common/named.h"
#include "ui/models/racing_table_model.h"
#include "ui/models/side_bar_model.h"
#include "ui/tables/final_letter_dialog.h"
#include "ui/tables/racing_grid.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace vexa {

namespace {

constexpr int SideBarWidth = 130;

// A button that acts as it is pressed, telling the keyboard modifiers held at that moment.
class PressButton : public QPushButton {
  public:
    PressButton(const QString& caption, std::function<void(Qt::KeyboardModifiers)> act,
                QWidget* parent)
        : QPushButton(caption, parent), act_(std::move(act)) {
        connect(this, &QPushButton::pressed, this, [this] { act_(modifiers_); });
    }

  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress)
            modifiers_ = static_cast<QInputEvent*>(e)->modifiers();
        else if (e->type() == QEvent::Shortcut)
            modifiers_ = QGuiApplication::keyboardModifiers();
        return QPushButton::event(e);
    }

  private:
    std::function<void(Qt::KeyboardModifiers)> act_;
    Qt::KeyboardModifiers modifiers_;
};

} // namespace

TablePage::TablePage(Program& program, bool heats, QWidget* parent)
    : QWidget(parent), program_(program), heats_(heats) {
    setObjectName(heats_ ? QStringLiteral("HeatsPage") : QStringLiteral("FinalsPage"));
    const char* prefix = heats_ ? "Heat" : "Final";
    auto name = [prefix](const char* what) { return std::string(prefix) + what; };

    auto* heading = new QLabel(heats_ ? QStringLiteral("--- Qualifiers / Heats ---")
                                      : QStringLiteral("--- Mains / Finals ---"),
                               this);
    heading->setAlignment(Qt::AlignCenter);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    model_ = new RacingTableModel(table(), this);
    grid_ = new RacingGrid(*model_, heats_ ? "RacingGrid" : "Finalsgrid", this);
    sideModel_ = new SideBarModel(this);
    sideBar_ = new QTableView(this);
    sideBar_->setObjectName(QString::fromStdString(name("SideBar")));
    sideBar_->setModel(sideModel_);
    sideBar_->setFocusPolicy(Qt::NoFocus);
    sideBar_->setSelectionMode(QAbstractItemView::NoSelection);
    sideBar_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sideBar_->verticalHeader()->hide();
    sideBar_->verticalHeader()->setDefaultSectionSize(
        grid_->verticalHeader()->defaultSectionSize());
    sideBar_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sideBar_->horizontalHeader()->setFixedHeight(grid_->horizontalHeader()->sizeHint().height());
    sideBar_->horizontalHeader()->setStretchLastSection(true);
    sideBar_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sideBar_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sideBar_->setFixedWidth(SideBarWidth);
    grid_->horizontalHeader()->setFixedHeight(grid_->horizontalHeader()->sizeHint().height());
    grid_->setFixedHeight(grid_->fullHeight());
    // Row for row beside the grid, which alone has a scroll bar below.
    sideBar_->setFixedHeight(grid_->fullHeight() -
                             grid_->horizontalScrollBar()->sizeHint().height());

    auto* view = named(new QPushButton(QStringLiteral("View"), this), name("ViewBtn").c_str());
    auto* up = named(new QPushButton(QStringLiteral("/\\ &Up"), this), name("UpBtn").c_str());
    auto* down = named(
        new PressButton(
            QStringLiteral("\\/ &Down"), [this](Qt::KeyboardModifiers m) { packDown(m); }, this),
        name("DownBtn").c_str());
    for (QPushButton* b : {view, up, static_cast<QPushButton*>(down)})
        b->setFocusPolicy(Qt::NoFocus);

    auto* tables = new QHBoxLayout;
    tables->setSpacing(0);
    tables->addWidget(sideBar_, 0, Qt::AlignTop);
    tables->addWidget(grid_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(view);
    buttons->addSpacing(24);
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(heading);
    layout->addLayout(tables);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(grid_, &RacingGrid::sideBarStale, this, &TablePage::refreshSideBar);
    connect(grid_, &RacingGrid::cellDoubleClicked, this, &TablePage::cellDoubleClicked);
    connect(view, &QPushButton::clicked, this, &TablePage::toggleView);
    connect(up, &QPushButton::clicked, this, &TablePage::packUp);
    refreshSideBar();
}

TablePage::~TablePage() {
    // The grid tells of its lost focus as it goes, after this page has stopped listening.
    grid_->disconnect(this);
}

RacingTable& TablePage::table() {
    return heats_ ? program_.event.heats : program_.event.finals;
}

int TablePage::selectedRace() const {
    return grid_->selectedRace();
}

void TablePage::selectCell(int race, int slot) {
    grid_->selectCell(race, slot);
}

void TablePage::refreshSideBar() {
    sideModel_->show(sideBar(program_.event, program_.settings, program_.freqnames, heats_,
                             selectedRace(), view_),
                     view_);
}

void TablePage::redraw() {
    model_->tableChanged();
    refreshSideBar();
}

void TablePage::cellDoubleClicked(int race, int slot) {
    if (slot == 0) {
        // The heats table has no letters: its information texts come from the sort dialogs.
        if (heats_) return;
        FinalLetterDialog letter(program_.event, race, this);
        letter.exec();
        model_->racesChanged(race, race);
        return;
    }
    if (const int id = table().idAt(race, slot)) emit driverOpenRequested(id);
}

void TablePage::packUp() {
    const int race = selectedRace();
    if (vexa::packUp(table(), race)) model_->racesChanged(race, race);
    refreshSideBar();
}

void TablePage::packDown(Qt::KeyboardModifiers modifiers) {
    const int race = selectedRace();
    if (modifiers & Qt::ShiftModifier) {
        // Slots 1..10 change places with slots 11..20, however many drivers the race holds.
        swapSlotHalves(table(), race);
        model_->racesChanged(race, race);
    } else if (vexa::packDown(table(), race)) {
        model_->racesChanged(race, race);
    }
    refreshSideBar();
}

void TablePage::toggleView() {
    view_ = toggledView(view_);
    refreshSideBar();
}

} // namespace vexa
