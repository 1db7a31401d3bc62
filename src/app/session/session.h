#pragma once

#include "base/local_moment.h"
#include "output/result_outputs.h"
#include "ports/clock.h"
#include "ports/decoder_input.h"
#include "ports/operator.h"
#include "ports/print_stream.h"
#include "ports/scheduler.h"
#include "ports/sound_out.h"
#include "program/main_screens.h"
#include "ui/print/report_printing.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa {

struct Program;
class RaceEngine;
class CountingEquipment;
class TimingHost;
class RaceViewBridge;
class MainWindow;
class AmbSearchWindow;
class EndOfRound;
class JournalWriter;
class RaceInputs;
class RaceStation;
class ResumableTime;
class RaceResume;
struct Journal;
class LiveFeed;
class LiveServer;
class ScoreboardServer;
class SoundMaker;
class MessageDesk;

// What the session takes from outside. In the program every one is left empty and the session
// makes the Qt ones; tests give a virtual clock and scheduler, a recording operator and sound,
// and print jobs that are kept.
struct SessionPorts {
    Clock* clock = nullptr;
    Scheduler* scheduler = nullptr;
    Operator* op = nullptr;
    SoundOut* sound = nullptr;
    // A print job on the default printer (the end of a race prints there without asking).
    std::function<std::unique_ptr<PrintStream>()> printer;
    // A print job on a printer the operator picks (printing from a menu); nullptr on cancel.
    ChosenPrinter chosenPrinter;
    // Opens a web address or folder with the platform's default handler.
    std::function<void(const QUrl&)> openUrl;
    // The wall clock's milliseconds since 1970, which relate race journals to the clock.
    std::function<int64_t()> wallMs;
    // The local date and time that stamps the message log; the computer's when empty.
    std::function<LocalMoment()> now;
};

// The composition root of the program: after start-up it makes the Qt clock and timers, the
// operator's message boxes, the sound output, the main window, the links of the timing
// equipment, the result outputs and the bridge of the race engine's redraw notices, then builds
// the race station (the race engine, the counting equipment, the track controller and the race
// inputs) on all of them.
class Session : public QObject {
    Q_OBJECT
  public:
    explicit Session(Program& program, SessionPorts ports = {});
    ~Session() override;

    // What the operator is told once the session is made (no sound device, ...).
    std::vector<std::string> takeStartMessages() { return std::move(startMessages_); }
    // Looks for the counting equipment the settings name, as at program start: the "AMB
    // Connection" window shows while the decoder is checked for.
    void setUpCountingEquipment();
    // Returns once the "AMB Connection" window has gone (the check ended, or the operator
    // closed it after a time-out); events keep being handled meanwhile.
    void waitForCountingEquipment();
    // The welcome window until an event is open; false when the operator chose "Exit Program".
    bool chooseEvent();
    // The main window filled from the open event and shown. Every race of the event is journaled
    // from then on; a race the program left unfinished is offered to be resumed first.
    void showMainWindow();
    // Serves the live results and the scoreboard feed on the track's network when the settings
    // ask for them; the main window shows the addresses to open, or why nothing is served, and
    // the program runs on.
    void startLiveResults();
    // Makes the announcement sounds the program home lacks with the given sound script, beside
    // the program; they are heard once made.
    void makeMissingSounds(const QString& script);
    // Returns once the sounds being made are made (at once when none are).
    void waitForSounds();

    Program& program() { return program_; }
    Clock& clock() { return *clock_; }
    Scheduler& scheduler() { return *scheduler_; }
    // The operator: message boxes, and the messages the program gives by itself (logged, on the
    // notice line, their boxes held back while a race runs).
    Operator& op() { return *op_; }
    MessageDesk& messages() { return *desk_; }
    SoundOut& sound() { return *sound_; }
    MainScreens& screens() { return screens_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    AmbSearchWindow& searchWindow() { return *search_; }
    RaceViewBridge& raceView() { return *raceView_; }
    TimingHost& timing() { return *timing_; }
    CountingEquipment& equipment();
    ResultOutputs& outputs() { return *outputs_; }
    RaceEngine& race();
    // Printing from the windows and menus: the chosen printer, the local time, the operator.
    const ReportPrinting& printing() const { return *printing_; }
    EndOfRound& endOfRound() { return *endOfRound_; }
    // The door of the race's inputs (keys, buttons, decoder bytes), journaled.
    RaceInputs& raceInputs();
    // The race engine, the counting equipment, the track controller and the race inputs.
    RaceStation& station() { return *station_; }
    // The journal being written, nullptr before an event is open.
    JournalWriter* journal() { return journal_.get(); }
    LiveServer& liveServer() { return *liveServer_; }
    ScoreboardServer& scoreboardServer() { return *scoreboard_; }
    // True while a race being resumed stands waiting for the passings its decoder kept.
    bool resuming() const;

  signals:
    // The standings' zoom or the race screen's theme changed (Setup, Ctrl+plus, Ctrl+minus).
    void displaySettingsChanged();

  private:
    void wireMenus();
    void wireMessages();
    void keepDisplaySettings();
    void startJournal();
    // The race left unfinished is live again (`storeAsItStood`: it is ended and stored at once);
    // `journal` is its journal, `recovered` the passings the decoder sent again.
    void raceResumed(const Journal& journal, int64_t sitting, bool storeAsItStood,
                     size_t recovered);

    Program& program_;
    SessionPorts ports_;
    std::vector<std::string> startMessages_;
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<Scheduler> ownScheduler_;
    std::unique_ptr<Operator> ownOperator_;
    std::unique_ptr<SoundOut> ownSound_;
    Clock* clock_;
    Scheduler* scheduler_;
    Operator* op_;
    std::unique_ptr<MessageDesk> desk_;
    SoundOut* sound_;
    // The race's clock and timers (and the counting equipment's): the live ones, able to replay
    // a race the program left unfinished.
    std::unique_ptr<ResumableTime> time_;
    MainScreens screens_;
    std::unique_ptr<MainWindow> mainWindow_;
    AmbSearchWindow* search_;
    std::unique_ptr<RaceViewBridge> raceView_;
    std::unique_ptr<TimingHost> timing_;
    std::unique_ptr<ResultOutputs> outputs_;
    std::unique_ptr<ReportPrinting> printing_;
    std::unique_ptr<EndOfRound> endOfRound_;
    std::unique_ptr<RaceStation> station_;
    std::unique_ptr<JournalWriter> journal_;
    std::unique_ptr<RaceResume> resume_;
    std::unique_ptr<LiveFeed> liveFeed_;
    std::unique_ptr<LiveServer> liveServer_;
    std::unique_ptr<ScoreboardServer> scoreboard_;
    // Last, so that it goes first: a script still running is waited for before anything else.
    std::unique_ptr<SoundMaker> soundMaker_;
};

} // namespace vexa
