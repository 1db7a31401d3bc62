#include "ui/settings/settings_window.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "station/race_station.h"
#include "station/settings_close.h"
#include "ui/settings/classes_page.h"
#include "ui/settings/devices_page.h"
#include "ui/settings/event_page.h"
#include "ui/settings/misc_page.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/sound_page.h"
#include "ui/settings/transponder_test_page.h"
#include "ui/settings/transponders_page.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vexa {

SettingsWindow::SettingsWindow(Program& program, Operator& op, RaceStation& station,
                               QWidget* parent)
    : QDialog(parent), program_(program), op_(op), station_(station) {
    setObjectName(QStringLiteral("TProgSetF"));
    setWindowTitle(QString::fromLatin1(SetupCaption));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setUsesScrollButtons(false); // every page's caption shows
    event_ = new EventPage(fields_, tabs_);
    sound_ = new SoundPage(
        fields_, [this](int n) { station_.engine().SpeakNumber(n); }, tabs_);
    misc_ = new MiscPage(fields_, tabs_);
    devices_ = new DevicesPage(fields_, tabs_);
    transponders_ = new TranspondersPage(program_.settings, op_, fields_, tabs_);
    test_ = new TransponderTestPage(station_.equipment().transponderTest(), tabs_);
    classes_ = new ClassesPage(program_.settings, op_, fields_, tabs_);
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
    const bool raceRunning = station_.engine().raceRunning();
    devices_->setCountMethodEnabled(!raceRunning);
    devices_->setControllerPortEnabled(!station_.controller().portChoiceLocked());
    station_.equipment().transponderTest().setView(test_);
    station_.equipment().transponderTest().settingsActivated();
    devices_->showDevice(station_.equipment().countDevice(), program_.settings.count1ComPort);
}

void SettingsWindow::drawSettings() {
    const ProgSettings& s = program_.settings;
    showSettingControls(s, fields_);
    event_->showEventValues(s);
    misc_->showStartOrder(s.firstRoundOrder);
    misc_->showScoreMethod();
    transponders_->redrawSet();
    transponders_->showNames();
    classes_->showClasses();

    devices_->resetPortChanges();
    devices_->showDevice(station_.equipment().countDevice(), s.count1ComPort);
    devices_->showSpeedTrapGap();
}

bool SettingsWindow::FormClose() {
    sound_->emptyRunOrderBecomesZero();
    SettingsCloseRequest request{
        SetupCloseFields{event_->minLapText(), event_->lastLapText(), event_->raceSetupText(),
                         event_->raceIntervalText(), devices_->chosenDevice(),
                         devices_->decoderPortEntry(), devices_->controllerPortEntry()},
        {},
        {},
        program_.settings,
        devices_->portListChanged()};
    // The pages store into a copy: the close stores it only when every check passes.
    ProgSettings& edited = request.edited;
    ClassSetup details;
    std::array<int32_t, MaxSlots + 1> transponders{};
    request.classDetails = classes_->readDetails(details);
    request.transponderSet = transponders_->readShownSet(transponders);
    if (request.classDetails) classes_->keepDetails(details, edited);
    storeSettingControls(fields_, edited);
    event_->storeEventValues(edited);
    edited.firstRoundOrder = misc_->startOrder();
    if (request.transponderSet) transponders_->keepShownSet(transponders, edited);
    transponders_->keepNames(edited);
    classes_->keepNames(edited);

    const SettingsCloseOutcome outcome =
        closeSettings(program_, station_.equipment(), station_.engine(), request,
                      {waitForEquipment_,
                       [this] { setWindowTitle(QString::fromLatin1(SavingSettingsCaption)); }});
    if (outcome.showPage == SetupPage::Classes) tabs_->setCurrentWidget(classes_);
    if (outcome.showPage == SetupPage::Transponders) tabs_->setCurrentWidget(transponders_);
    for (const std::string& message : outcome.messages) op_.inform(message);
    if (outcome.closed) emit settingsSaved(outcome.nextRaceChanged);
    return outcome.closed;
}

void SettingsWindow::hideEvent(QHideEvent* event) {
    // However the window went, the test page no longer shows the decoder's records.
    station_.equipment().transponderTest().settingsClosed();
    station_.equipment().transponderTest().setView(nullptr);
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
