#include "session/session.h"

#include "files/settings_file.h"
#include "journal/journal_resume.h"
#include "journal/journal_writer.h"
#include "journal/race_inputs.h"
#include "journal/race_resume.h"
#include "journal/resumable_time.h"
#include "live/live_feed.h"
#include "platform/latin1.h"
#include "platform/live_server.h"
#include "platform/output_platform.h"
#include "platform/qt_operator.h"
#include "platform/qt_sound_out.h"
#include "platform/qt_timers.h"
#include "platform/scoreboard_server.h"
#include "platform/sound_maker.h"
#include "platform/timing_host.h"
#include "program/message_desk.h"
#include "program/program.h"
#include "race/race_engine.h"
#include "race/sound_table.h"
#include "session/correction_commands.h"
#include "session/driver_commands.h"
#include "session/end_of_round.h"
#include "session/live_results.h"
#include "session/race_commands.h"
#include "session/race_view_bridge.h"
#include "session/settings_commands.h"
#include "session/table_commands.h"
#include "session/transponder_commands.h"
#include "settings/display_settings.h"
#include "station/race_station.h"
#include "timing/counting_equipment.h"
#include "ui/common/window_place.h"
#include "ui/event/welcome_window.h"
#include "ui/main/about_box.h"
#include "ui/main/amb_search_window.h"
#include "ui/main/main_window.h"
#include "ui/main/messages_window.h"
#include "ui/main/timing_status_panel.h"
#include "ui/print/label_printing_window.h"
#include "ui/print/output_commands.h"
#include "ui/race/race_panel_widget.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTimer>

namespace vexa {

namespace {

template <typename Port, typename Made> Port* chosen(Port* given, std::unique_ptr<Port>& own) {
    if (given) return given;
    own = std::make_unique<Made>();
    return own.get();
}

// The default audio output; without one the program runs on and says so once.
SoundOut* programSound(SoundOut* given, std::unique_ptr<SoundOut>& own,
                       std::vector<std::string>& messages) {
    if (given) return given;
    auto sound = std::make_unique<QtSoundOut>();
    if (const Outcome opened = sound->open(); !opened) messages.push_back(opened.message);
    own = std::move(sound);
    return own.get();
}

} // namespace

Session::Session(Program& program, SessionPorts ports)
    : program_(program), ports_(std::move(ports)),
      clock_(chosen<Clock, QtClock>(ports_.clock, ownClock_)),
      scheduler_(chosen<Scheduler, QtScheduler>(ports_.scheduler, ownScheduler_)),
      op_(chosen<Operator, QtOperator>(ports_.op, ownOperator_)),
      desk_(std::make_unique<MessageDesk>(MessageDesk::Ports{
          *op_,
          [this](std::function<void()> call) { QTimer::singleShot(0, this, std::move(call)); },
          ports_.now ? ports_.now : std::function<LocalMoment()>(currentLocalMoment)})),
      sound_(programSound(ports_.sound, ownSound_, startMessages_)), screens_(program) {
    op_ = desk_.get();
    if (!ports_.printer) ports_.printer = defaultPrinterStream;
    if (!ports_.chosenPrinter) ports_.chosenPrinter = chosenPrinterStream;
    if (!ports_.openUrl) ports_.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    loadSoundTable(*sound_, program_.home.soundsDir());

    mainWindow_ = std::make_unique<MainWindow>(program_, screens_, *op_);
    search_ = new AmbSearchWindow(mainWindow_.get());
    raceView_ = std::make_unique<RaceViewBridge>();
    TimingStatusPanel& panel = mainWindow_->timingPanel();
    time_ = std::make_unique<ResumableTime>(*clock_, *scheduler_);
    timing_ = std::make_unique<TimingHost>(program_);

    const OutputIdentity identity = loadOutputIdentity(program_.home.iniFile());
    outputs_ =
        std::make_unique<ResultOutputs>(program_, identity,
                                        ResultOutputPorts{ports_.printer, currentLocalMoment, *op_,
                                                          *time_, [this] { endOfRound_->show(); }});
    printing_ = std::make_unique<ReportPrinting>(
        ReportPrinting{program_, identity, ports_.chosenPrinter, currentLocalMoment, *op_});

    station_ = buildRaceStation(
        program_, StationPorts{*time_, *time_, *sound_, *op_, *outputs_, raceView_.get(),
                               timing_->links(*time_, *time_, *op_, panel, *search_)});
    timing_->serve(station_->timing());
    screens_.useRace(&station_->engine());
    // What the link brings while a resumed race waits for its decoder is set aside: the race
    // takes it, journaled, at the moments it was made.
    timing_->onDecoderBytes([this](const std::string& bytes) {
        if (!equipment().waitingForMissedPassings()) raceInputs().decoderBytesArrived(bytes);
    });

    connect(&panel, &TimingStatusPanel::weatherShown, this,
            [this](WeatherValue which, const QString& text) {
                TrackWeather& w = outputs_->weather;
                std::string* value[] = {&w.airTemperature, &w.trackTemperature, &w.humidity,
                                        &w.pressure};
                *value[static_cast<int>(which)] = fromQt(text);
            });
    CountingEquipment& counting = equipment();
    // A race's journal follows the equipment that counts it, so that a run of the journal alone
    // counts as the race was counted.
    counting.onCountDeviceChanged([this] {
        if (!time_->replaying()) raceInputs().equipmentInUse(equipment().journaledEquipment());
    });
    panel.onReconnect([&counting] { counting.reconnectDecoder(); },
                      [&counting] { return counting.lostCountDevice() != CountingDevice::Manual; });
    wireMenus();
    wireMessages();
    endOfRound_ = std::make_unique<EndOfRound>(*this);
    wireDriverCommands(program_, *op_, *mainWindow_, FileChoices::dialogs());
    const auto displayChanged = [this] { emit displaySettingsChanged(); };
    const RaceScreens race = wireRaceScreen(
        RaceScreenParts{*station_, program_.settings, *mainWindow_, *raceView_, displayChanged,
                        [this] { openCorrectResults(program_, *op_, *mainWindow_); }});
    connect(this, &Session::displaySettingsChanged, race.panel, [race] { race.applySettings(); });
    wireSettingsCommands(SettingsCommandParts{program_, *op_, *station_, *mainWindow_,
                                              [this] { waitForCountingEquipment(); },
                                              displayChanged});
    wireTableCommands(
        TableCommandParts{program_, *op_, *mainWindow_, *printing_, *outputs_, *endOfRound_});

    const auto engine = [this]() -> const RaceEngine* {
        return station_ ? &station_->engine() : nullptr;
    };
    liveFeed_ = std::make_unique<LiveFeed>(
        LiveSources{program_.settings, program_.event, program_.paths, engine});
    liveServer_ = std::make_unique<LiveServer>(*liveFeed_);
    followRace(*liveServer_, *raceView_);
    scoreboard_ = std::make_unique<ScoreboardServer>(ScoreboardSources{program_.settings, engine});
    followRace(*scoreboard_, *raceView_);
    soundMaker_ = std::make_unique<SoundMaker>(*sound_, *op_);
    // The windows' places and the standings' zoom are kept as the program ends.
    connect(mainWindow_.get(), &MainWindow::exiting, this, [this] { keepDisplaySettings(); });
}

Session::~Session() {
    resume_.reset();
    if (journal_) journal_->leave();
    // The server goes before the state it reads; the engine's timers and ports go before the
    // adapters they use.
    liveServer_.reset();
    scoreboard_.reset();
    screens_.useRace(nullptr);
    station_.reset();
}

bool Session::resuming() const {
    return resume_ && resume_->waiting();
}

CountingEquipment& Session::equipment() {
    return station_->equipment();
}

RaceEngine& Session::race() {
    return station_->engine();
}

RaceInputs& Session::raceInputs() {
    return station_->inputs();
}

void Session::setUpCountingEquipment() {
    equipment().Setupcountingequipment();
}

void Session::waitForCountingEquipment() {
    if (!search_->isVisible()) return;
    QEventLoop loop;
    connect(search_, &AmbSearchWindow::hidden, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Session::chooseEvent() {
    WelcomeWindow welcome(program_, *op_);
    welcome.exec();
    return program_.eventOpen();
}

void Session::showMainWindow() {
    mainWindow_->refreshCompetitorList();
    MainWindow& window = *mainWindow_;
    const std::optional<bool> maximised =
        restoreWindowPlace(window, program_.settings.mainWindowPlace);
    if (!maximised)
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            // A first start: in the middle of the screen, and no bigger than it.
            const QRect room = screen->availableGeometry();
            QRect place(QPoint(0, 0), window.size().boundedTo(room.size() - QSize(16, 40)));
            place.moveCenter(room.center());
            window.setGeometry(place);
        }
    if (maximised.value_or(false))
        window.showMaximized();
    else
        window.show();
    startJournal();
}

void Session::keepDisplaySettings() {
    ProgSettings& s = program_.settings;
    s.mainWindowPlace = windowPlace(*mainWindow_);
    if (const Outcome saved = saveDisplaySettings(program_.home.iniFile(), s); !saved)
        op_->inform(saved.message);
}

void Session::startJournal() {
    if (journal_ || !program_.eventOpen()) return;
    const std::filesystem::path dir = program_.paths->dir;
    // Only the last race's journal of the latest sitting is read in full: the others of a long
    // meeting are known by their first record.
    const LatestJournal latest = readLatestJournal(dir);
    const int64_t wall = ports_.wallMs ? ports_.wallMs() : QDateTime::currentMSecsSinceEpoch();
    // The wall clock's moment at the clock's zero names the sitting, above every earlier one.
    int64_t number = wall - time_->milliseconds();
    if (latest.last) number = std::max(number, latest.sitting + 1);

    const JournalFile* last = latest.last ? &*latest.last : nullptr;
    // A journal that lost records in its midst cannot put its race back as it stood: neither
    // resumed nor stored, it is set aside and the operator told.
    if (last && last->journal.damaged && !last->journal.ended() && !last->journal.left) {
        op_->inform(damagedJournalNotice(*last, setDamagedJournalAside(*last)));
        last = nullptr;
    }
    const JournalFile* unfinished = last && last->journal.unfinished() ? last : nullptr;
    bool resume = false;
    bool storeAsItStood = false;
    if (unfinished) {
        resume = op_->ask(unfinishedRaceQuestion(*unfinished), Buttons::YesNo);
        storeAsItStood = !resume && op_->ask(StoreAsItStoodQuestion, Buttons::YesNo);
        if (!resume && !storeAsItStood) {
            const Outcome left = leaveJournal(unfinished->path, time_->milliseconds());
            if (!left) op_->inform(left.message);
        }
    }
    // A resumed race's clock goes on from its start as if the program had never stopped: its
    // sitting goes on.
    const bool replay = resume || storeAsItStood;
    journal_ = std::make_unique<JournalWriter>(
        dir, *time_, *time_, replay ? unfinished->journal.header->sitting : number);
    journal_->onProblem([this](const std::string& text) { op_->notify(text); });
    journal_->onFlood(
        [this](const std::string& text) { mainWindow_->timingPanel().showNotice(text); });
    journal_->carryToDisk(true);
    journal_->recordEquipment([this]() -> std::optional<ScriptEvent> {
        if (time_->replaying()) return std::nullopt;
        return equipmentEvent(equipment().journaledEquipment());
    });
    station_->record(journal_.get());
    if (!replay) return;

    const JournalHeader& header = *unfinished->journal.header;
    journal_->reuse(header.ordinal, unfinished->path);
    journal_->continueAt(header.ordinal);
    restoreSittingStart({*unfinished}, program_.settings, program_.event);
    if (const Outcome put = restoreUploadFile({*unfinished}, dir); !put) op_->inform(put.message);
    CountingEquipment& counting = equipment();
    counting.replayBegins();
    const int64_t since = header.sitting;
    const auto nowMs = [this, since] {
        const int64_t wall = ports_.wallMs ? ports_.wallMs() : QDateTime::currentMSecsSinceEpoch();
        return wall - since;
    };
    TimingStatusPanel& panel = mainWindow_->timingPanel();
    resume_ = std::make_unique<RaceResume>(
        unfinished->journal,
        RaceResume::Parts{race(), raceInputs(), *time_, *scheduler_, nowMs,
                          [&panel](const std::string& text) { panel.showNotice(text); }},
        [this, journal = unfinished->journal, since, storeAsItStood](size_t recovered) {
            raceResumed(journal, since, storeAsItStood, recovered);
        });
    // A P3 decoder sends again what it counted meanwhile; a race stored as it stood takes none.
    resume_->start(storeAsItStood ? nullptr : &counting);
}

void Session::raceResumed(const Journal& journal, int64_t sitting, bool storeAsItStood,
                          size_t recovered) {
    CountingEquipment& counting = equipment();
    counting.replayEnds();
    mainWindow_->showScreen(Screen::Race);
    if (storeAsItStood) {
        race().End_race();
        return;
    }
    if (recovered > 0) mainWindow_->timingPanel().showNotice(p3RecoveredNotice(recovered, 0));
    // What a P3 decoder cannot send again shows as a gap with its next passing; otherwise the
    // operator is told how long the race went without passings.
    if (recovered > 0 || counting.fetchesMissedPassings()) return;
    const int64_t wall = ports_.wallMs ? ports_.wallMs() : QDateTime::currentMSecsSinceEpoch();
    if (const std::string gap = resumeGapNotice(journal, wall - sitting); !gap.empty())
        op_->notify(gap);
}

void Session::startLiveResults() {
    const ProgSettings& s = program_.settings;
    QStringList shown;
    if (s.liveEnabled && !liveServer_->listening()) {
        const Outcome started = liveServer_->start(toQt(s.liveAddress), s.livePort);
        shown << (started ? QStringLiteral("Live results: ") + liveServer_->pageAddress()
                          : toQt(started.message));
    }
    if (s.scoreboardPort > 0 && !scoreboard_->listening()) {
        const Outcome started = scoreboard_->start(toQt(s.liveAddress), s.scoreboardPort);
        shown << (started ? QStringLiteral("Scoreboard: ") + scoreboard_->feedAddress()
                          : toQt(started.message));
    }
    if (!shown.isEmpty()) mainWindow_->showLiveResults(shown.join(QLatin1Char('\n')));
}

void Session::makeMissingSounds(const QString& script) {
    soundMaker_->makeMissing(script, program_.home.soundsDir());
}

void Session::waitForSounds() {
    soundMaker_->wait();
}

void Session::wireMessages() {
    MessageDesk& desk = *desk_;
    desk.setRaceUnderWay([this] { return station_ && station_->engine().raceUnderWay(); });
    connect(raceView_.get(), &RaceViewBridge::panelChangedSignal, this,
            [&desk] { desk.raceChanged(); });
    TimingStatusPanel& panel = mainWindow_->timingPanel();
    desk.onNotice([&panel](const std::string& text) { panel.setNotice(text); });
    connect(&panel, &TimingStatusPanel::noticeShown, this,
            [&desk](const QString& text) { desk.logNotice(fromQt(text)); });
    auto* log = new MessagesWindow(desk, mainWindow_.get());
    desk.onLogged([log] { log->refresh(); });
    connect(&mainWindow_->messagesButton(), &QPushButton::clicked, log,
            &MessagesWindow::showInFront);
}

void Session::wireMenus() {
    const MainMenus& m = mainWindow_->menus();
    MainWindow* window = mainWindow_.get();
    connectCommand(m.about, [window] {
        AboutBox about(window);
        about.exec();
    });
    connectCommand(m.homepage, [this] {
        const OutputIdentity identity = loadOutputIdentity(program_.home.iniFile());
        ports_.openUrl(QUrl(toQt(identity.webAddress)));
    });
    connectCommand(m.startOrder, [this, window] { startOrderMenuCommand(*printing_, window); });
    connectCommand(m.labels, [this, window] {
        LabelPrintingWindow labels(*printing_, window);
        labels.exec();
    });
    connectCommand(m.htmlDirectory, [this] { htmlDirectoryCommand(program_, ports_.openUrl); });
    connectCommand(m.upload, [this] { uploadCommand(program_, *op_, ports_.openUrl); });
    wireCorrectResults(program_, *op_, *mainWindow_);
    wireTransponderDesk(program_, *op_, *mainWindow_, *printing_);
}

} // namespace vexa
