#include "session/driver_commands.h"

#include "files/csv_import.h"
#include "files/database_transfer.h"
#include "model/competitor_edits.h"
#include "ports/operator.h"
#include "program/event_saves.h"
#include "program/program.h"
#include "ui/database/database_window.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/drivers/drivers_screen.h"
#include "ui/frequencies/text_list_window.h"
#include "ui/main/main_window.h"

#include <QMenu>

namespace vexa {

namespace {

const QString DatabaseFilter = QStringLiteral("Vexa Drivers Database (*.qad)");

} // namespace

DriverCommands::DriverCommands(Program& program, Operator& op, MainWindow& window,
                               FileChoices files)
    : QObject(&window), program_(program), op_(op), window_(window), files_(std::move(files)) {
    entry_ = new DriverEntryWindow(program_, op_, &window_);
    database_ = new DatabaseWindow(program_, op_, files_, &window_);
    connect(entry_, &DriverEntryWindow::competitorsChanged, this,
            &DriverCommands::competitorsChanged);
    connect(database_, &DatabaseWindow::competitorsChanged, this,
            &DriverCommands::competitorsChanged);
    connect(database_, &QDialog::finished, this, &DriverCommands::updateMenus);
}

int DriverCommands::selectedId() const {
    return window_.driversScreen().list().selectedId();
}

void DriverCommands::competitorsChanged() {
    window_.refreshCompetitorList();
}

void DriverCommands::tell(const Outcome& outcome) {
    if (!outcome) op_.inform(outcome.message);
}

void DriverCommands::newDriver() {
    const int id = program_.event.firstFreeId();
    if (id == 0) {
        op_.inform(NoFreeSpaceMessage);
        return;
    }
    entry_->editCompetitor(id);
}

void DriverCommands::editDriver(int id) {
    if (validId(id)) entry_->editCompetitor(id);
}

void DriverCommands::deleteDriver(int id) {
    if (!validId(id) || !op_.confirm(deleteCompetitorQuestion(id))) return;
    deleteCompetitor(program_.event, id);
    competitorsChanged();
    tell(saveAfterDeletion(program_));
}

void DriverCommands::enableAll(bool enabled) {
    if (!op_.confirm(enabled ? EnableAllQuestion : DisableAllQuestion)) return;
    setAllEnabled(program_.event, enabled);
    competitorsChanged();
    tell(saveCompetitors(program_));
}

void DriverCommands::importCsv() {
    const std::filesystem::path path =
        files_.open(&window_, {QStringLiteral("Import from CSV File"), program_.home.root,
                               QStringLiteral("Import CSV File (*.csv)"), QString()});
    if (path.empty()) return;
    const CsvImportResult imported = importCsvFile(path, program_.event);
    competitorsChanged();
    // Imported drivers are written at once, so that none is lost before the next save.
    const Outcome saved = imported.ids.empty() ? Outcome::success() : saveCompetitors(program_);
    tell(imported.outcome);
    op_.inform(imported.message);
    tell(saved);
}

void DriverCommands::copyToDatabase(int id) {
    if (!validId(id) || !program_.event.competitor(id).inUse()) return;
    tell(vexa::copyToDatabase(program_.event.competitor(id), program_.database));
    database_->refresh();
    updateMenus();
}

void DriverCommands::copyAllToDatabase() {
    tell(vexa::copyAllToDatabase(program_.event, program_.database));
    database_->refresh();
    updateMenus();
}

void DriverCommands::newDatabase() {
    const std::filesystem::path path =
        files_.save(&window_, {QStringLiteral("New Drivers Database"), program_.home.databaseDir(),
                               DatabaseFilter, QStringLiteral("qad")});
    if (path.empty()) return;
    newDriversDatabase(program_.database, path);
    database_->showDatabase();
    updateMenus();
}

void DriverCommands::openDatabase() {
    const std::filesystem::path path =
        files_.open(&window_, {QStringLiteral("Open Drivers Database"), program_.home.databaseDir(),
                               DatabaseFilter, QString()});
    if (path.empty()) return;
    const Outcome loaded = loadDriversDatabase(program_.database, path);
    if (!loaded) {
        op_.inform(loaded.message);
        return;
    }
    database_->showDatabase();
    updateMenus();
}

void DriverCommands::showFrequencyNumbers() {
    FrequencyNumbersWindow numbers(program_, &window_);
    numbers.exec();
}

void DriverCommands::updateMenus() {
    const MainMenus& m = window_.menus();
    const bool empty = program_.database.records.empty();
    m.newDatabase->setEnabled(empty);
    m.openDatabase->setEnabled(empty);
    m.copyToDatabase->setEnabled(program_.database.hasFile());
    m.copyAllToDatabase->setEnabled(program_.database.hasFile());
}

DriverCommands& wireDriverCommands(Program& program, Operator& op, MainWindow& window,
                                   FileChoices files) {
    auto* commands = new DriverCommands(program, op, window, std::move(files));
    const MainMenus& m = window.menus();
    DriverCommands* c = commands;
    connectCommand(m.newDriver, [c] { c->newDriver(); });
    connectCommand(m.editDriver, [c] { c->editDriver(c->selectedId()); });
    connectCommand(m.deleteDriver, [c] { c->deleteDriver(c->selectedId()); });
    connectCommand(m.copyToDatabase, [c] { c->copyToDatabase(c->selectedId()); });
    connectCommand(m.copyAllToDatabase, [c] { c->copyAllToDatabase(); });
    connectCommand(m.enableAll, [c] { c->enableAll(true); });
    connectCommand(m.disableAll, [c] { c->enableAll(false); });
    connectCommand(m.importCsv, [c] { c->importCsv(); });
    connectCommand(m.newDatabase, [c] { c->newDatabase(); });
    connectCommand(m.openDatabase, [c] { c->openDatabase(); });
    connectCommand(m.frequencyNumbers, [c] { c->showFrequencyNumbers(); });
    for (QMenu* menu : {m.setup, m.driver})
        QObject::connect(menu, &QMenu::aboutToShow, c, &DriverCommands::updateMenus);
    QObject::connect(&window.driversScreen().list(), &CompetitorListView::competitorDoubleClicked,
                     c, [c](int id) { id ? c->editDriver(id) : c->newDriver(); });
    c->updateMenus();
    return *commands;
}

} // namespace vexa
