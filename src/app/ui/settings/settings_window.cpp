#include "ui/settings/settings_window.h"

#include "base/whole_number.h"
#include "files/event_files.h"
#include "files/settings_file.h"
#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "settings/setup_close_checks.h"
#include "timing/timing_station.h"
#include "ui/settings/classes_page.h"
#include "ui/settings/devices_page.h"
#include "ui/settings/event_page.h"
#include "ui/settings/misc_page.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/sound_page.h"
#include "ui/settings/transponder_test_page.h"
#include "ui/settings/transponders_page.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <tuple>

namespace vexa {

SettingsWindow::SettingsWindow(Program& program, Operator& op, TimingStation& station,
                               QWidget* parent)
    : QDialog(parent), program_(program), op_(op), station_(station) {
    setObjectName(QStringLiteral("TProgSetF"));
    setWindowTitle(QString::fromLatin1(SetupCaption));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setUsesScrollButtons(false); // every page's caption shows
    event_ = new EventPage(tabs_);
    sound_ = new SoundPage(
        [this](int n) {
            if (program_.race) program_.race->SpeakNumber(n);
        },
        tabs_);
    misc_ = new MiscPage(tabs_);
    devices_ = new DevicesPage(tabs_);
    transponders_ = new TranspondersPage(program_.settings, op_, tabs_);
    test_ = new TransponderTestPage(station_.equipment.transponderTest(), tabs_);
    classes_ = new ClassesPage(program_.settings, op_, tabs_);
    tabs_->addTab(event_, QStringLiteral("Event"));
    tabs_->addTab(sound_, QStringLiteral("Sound"));
    tabs_->addTab(misc_, QStringLiteral("Misc"));
    tabs_->addTab(devices_, QStringLiteral("Devices/Hardware"));
    tabs_->addTab(transponders_, QStringLiteral("Transponders"));
    tabs_->addTab(test_, QStringLiteral("Transponder Test"));
    tabs_->addTab(classes_, QStringLiteral("Classes"));
    connect(devices_, &DevicesPage::pagesChanged, this, &SettingsWindow::showPages);

    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("SetupFSP"));
    status_->setSizeGripEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    longHint(close, "Checks and saves the settings and closes the window");
    connect(close, &QPushButton::clicked, this, &SettingsWindow::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);
    resize(820, 600);

    // Enter belongs to the fields (it moves on in the grids and names): no button takes it.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    drawSettings();
}

void SettingsWindow::setCrystalSetup(std::function<void()> open) {
    misc_->setCrystalSetup(std::move(open));
}

void SettingsWindow::openSetup() {
    FormActivate();
    exec();
}

void SettingsWindow::FormActivate() {
    setWindowTitle(QString::fromLatin1(SetupCaption));
    drawSettings();
    const RaceEngine* race = program_.race.get();
    const bool raceRunning = race && race->values().RaceState == RaceStates::Running;
    devices_->setCountMethodEnabled(!raceRunning);
    devices_->setControllerPortEnabled(!station_.controller.portChoiceLocked());
    station_.equipment.transponderTest().setView(test_);
    station_.equipment.transponderTest().settingsActivated();
    devices_->showDevice(station_.equipment.countDevice(), program_.settings.count1ComPort);
}

void SettingsWindow::drawSettings() {
    const ProgSettings& s = program_.settings;
    showSettingControls(s, *this);
    event_->showEventValues(s);
    misc_->showStartOrder(s.firstRoundOrder);
    misc_->showScoreMethod();
    transponders_->redrawSet();
    transponders_->showNames();
    classes_->showClasses();

    devices_->resetPortChanges();
    devices_->showDevice(station_.equipment.countDevice(), s.count1ComPort);
    devices_->showSpeedTrapGap();
}

bool SettingsWindow::FormClose() {
    sound_->emptyRunOrderBecomesZero();
    const auto text = [this](const char* name) {
        return fromQt(findChild<QLineEdit*>(QString::fromLatin1(name))->text());
    };
    const auto entry = [this](const char* name) {
        return findChild<QComboBox*>(QString::fromLatin1(name))->currentIndex();
    };
    const SetupCloseFields fields{text("minlaptED"),        text("maxlastlapT"),
                                  text("preracewED"),       text("tbetweenrED"),
                                  devices_->chosenDevice(), entry("countdevicecomcb"),
                                  entry("displaycomLB")};
    if (const auto failure = closeCheckFailure(fields)) {
        op_.inform(*failure);
        return false;
    }
    // A class minute or transponder cell that holds no whole number stops the close before
    // anything is stored.
    ClassSetup details;
    std::array<int32_t, MaxSlots + 1> transponders{};
    const std::pair<Outcome, QWidget*> reads[] = {
        {classes_->readDetails(details), classes_},
        {transponders_->readShownSet(transponders), transponders_},
    };
    for (const auto& [read, page] : reads) {
        if (read) continue;
        tabs_->setCurrentWidget(page);
        op_.inform(read.message);
        return false;
    }

    ProgSettings& s = program_.settings;
    classes_->keepDetails(details);
    CountingEquipment& equipment = station_.equipment;
    equipment.transponderTest().settingsClosed();
    equipment.transponderTest().setView(nullptr);
    // The equipment is set up from the stored port, address and "EX20".
    const auto nextRace = [&s] { return std::tuple{s.roundNumber, s.raceNumber, s.racingHeats}; };
    const auto raceBefore = nextRace();
    storeSettingControls(*this, s);
    event_->storeEventValues(s);
    s.firstRoundOrder = misc_->startOrder();
    if (equipment.applyEquipmentChoice(devices_->chosenDevice(), devices_->portListChanged()) &&
        waitForEquipment_)
        waitForEquipment_();
    transponders_->keepShownSet(transponders);
    transponders_->keepNames();
    classes_->keepNames();

    setWindowTitle(QString::fromLatin1(SavingSettingsCaption));
    const Outcome saved = saveSettingsFile(program_.home.iniFile(), s);
    if (!fields.minLap.empty() && program_.race)
        program_.race->setMinLap(settingNumber(fields.minLap, 7));
    const Outcome written =
        program_.paths ? writeEventSettings(program_.paths->settings, s) : Outcome::success();
    for (const Outcome* outcome : {&saved, &written})
        if (!*outcome) op_.inform(outcome->message);
    emit settingsSaved(nextRace() != raceBefore);
    return true;
}

void SettingsWindow::hideEvent(QHideEvent* event) {
    // However the window went, the test page no longer shows the decoder's records.
    station_.equipment.transponderTest().settingsClosed();
    station_.equipment.transponderTest().setView(nullptr);
    QDialog::hideEvent(event);
}

void SettingsWindow::reject() {
    if (FormClose()) QDialog::reject();
}

bool SettingsWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        status_->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void SettingsWindow::showPages(bool transponderPage, bool testPage) {
    // Only changes: setting a page's visibility again as it is makes a hidden tab bar forget
    // that it must lay its tabs out anew.
    for (const auto& [page, visible] :
         {std::pair<QWidget*, bool>{transponders_, transponderPage}, {test_, testPage}}) {
        const int index = tabs_->indexOf(page);
        if (tabs_->isTabVisible(index) != visible) tabs_->setTabVisible(index, visible);
    }
}

} // namespace vexa
