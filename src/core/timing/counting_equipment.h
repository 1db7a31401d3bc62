#pragma once

#include "ports/missed_passings.h"
#include "ports/race_timer.h"
#include "ports/scheduler.h"
#include "ports/serial_port.h"
#include "ports/timed_race.h"
#include "ports/timing_equipment.h"
#include "settings/count_device_choices.h"
#include "timing/decoder_link_watch.h"
#include "timing/line_assembler.h"
#include "timing/line_noise.h"
#include "timing/p3_link.h"
#include "timing/passing_counter.h"
#include "timing/timing_data.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vexa {

struct ProgSettings;
struct EventData;
class Clock;
class Operator;
class DecoderSocket;
class TimingView;
class SearchWindow;
class MonitorView;
struct MonitorOutput;

inline constexpr const char* ManualTimingText = "Manual Timing";
inline constexpr const char* PortNotFoundMessage = "AMB Port Not found, Manual counting now set";
inline constexpr const char* DecoderNotFoundMessage =
    "AMB Decoder not found, now set to manual counting";
inline constexpr const char* SocketErrorMessage =
    "Error connecting to IP address, try a different one or check connection and network "
    "settings";
inline constexpr const char* CheckingSystem20Message = "Checking AMB SYSTEM 20 Decoder";
inline constexpr const char* ItalianSetupMessage = "Italian timing system setup - close window)";
inline constexpr const char* CheckingAmbrcMessage = "Checking AMBrc Decoder";
inline constexpr const char* WaitingForSignalText = "Waiting for AMB signal";
inline constexpr const char* RaceRunningTestText = "Can't use due to race running";
inline constexpr const char* CheckingP3Message = "Checking P3 Decoder";
inline constexpr const char* P3StatusText = "P3(TCP)";
inline constexpr const char* DecoderLinkLostMessage =
    "Connection to the decoder lost, laps are now counted with the keys";
inline constexpr const char* DecoderBackMessage =
    "Connection to the decoder restored, the decoder counts laps again";

// The notice when a decoder link has been silent for `seconds` of race time.
std::string decoderSilentMessage(int seconds);

inline constexpr int PresenceCheckIntervalMs = 160;
inline constexpr int PresenceCheckSteps = 10;
// A P3 decoder may not answer a request, so its check ends with its first record of any kind;
// it sends a STATUS every 5 s unasked, so its ten steps allow 12 s, two status intervals and
// more.
inline constexpr int P3PresenceCheckIntervalMs = 1200;
// The entry of the decoder port list that means "IP Address".
inline constexpr int IpAddressPortEntry = AddressPortEntry;
// When the empty command is sent again over TCP during the presence check.
inline constexpr int PresenceCheckResendStep = 6;

// The links and windows the counting equipment works through.
struct EquipmentLinks {
    Scheduler& scheduler;
    const Clock& clock;
    Operator& op;
    SerialPort& decoderPort;
    DecoderSocket& socket;
    SerialPort& controllerPort; // RTS of a second decoder on the track-controller port
    TimingView& view;
    SearchWindow& search;
};

// The counting equipment: the decoder link (serial port or TCP), its set-up with the presence
// check and the fall-back to manual counting, the dispatch of every decoder record, the
// switching on and off around a race, and the transponder test of the settings window.
//
// The equipment owns `CountDevice`, the device counting now: it starts as the settings'
// "COUNTDEVICE" and keeps that setting equal to it when it changes (a fall-back to manual
// counting, the settings window's choice). The race engine must be attached to the program
// before the equipment is set up or receives records (a race that is not there takes none).
//
// A decoder link in use can be lost: the connection drops, the serial adapter vanishes, or an
// AMBrc or P3 decoder silent for "DECODER SILENCE" seconds of race time does not answer when
// asked. Counting then goes on with the keys, and the equipment tries to reach the decoder again
// by itself while a race takes passings (after 2, 4, 8, 16, then every 30 seconds, without
// windows or message boxes), and whenever the operator asks ("Reconnect Decoder"). Any byte that
// reaches the program over the lost decoder's link (a silent link stays open) finds it again at
// once and is counted; so does the answer to an attempt. A decoder found again during a race is
// switched on without restarting its clock.
//
// A record starts at its start byte wherever it stands in its line; bytes before it are noise,
// dropped, tallied and told once a run.
class CountingEquipment : public TimingEquipment, public MissedPassings {
  public:
    CountingEquipment(const TimingData& data, const EquipmentLinks& links);
    ~CountingEquipment() override;
    CountingEquipment(const CountingEquipment&) = delete;
    CountingEquipment& operator=(const CountingEquipment&) = delete;

    // ---- Set-up and presence check ------------------------------------------------------------
    void Setupcountingequipment();
    bool presenceCheckRunning() const { return checkTimer_.running(); }
    int presenceCheckProgress() const { return checkProgress_; }
    // The counting-equipment text last shown ("Manual Timing", "AMBrc(Com2)", ...).
    const std::string& statusText() const { return statusText_; }

    // ---- Received bytes and link events ---------------------------------------------------------
    // Bytes from the decoder's serial port.
    void CommPortDriverReceiveData(std::string_view bytes);
    // Bytes from the TCP connection: AMBrc records framed as on the serial line, or P3 records.
    void AMBClientSocketRead(std::string_view bytes);
    // The TCP connection could not be made.
    void AMBClientSocketError();
    // An established link broke: the TCP connection dropped or the serial adapter vanished.
    // Counting goes on with the keys; bytes that arrived before are already counted.
    void decoderLinkLost();
    // Looks for the decoder that was in use when the link was lost, as the "Reconnect Decoder"
    // button does: the search window shows the check; when the decoder answers, it counts again
    // (and is switched on when a race is running or cars are booked in). It stays on offer
    // until the decoder has answered.
    void reconnectDecoder();
    // The equipment in use before a link was lost, manual when none is lost.
    CountingDevice lostCountDevice() const { return lostDevice_; }
    // Whether the decoder link is the TCP connection (else the serial port).
    bool linkOverTcp() const { return linkOverTcp_; }
    // ---- Race journals
    // --------------------------------------------------------------------------- The equipment in
    // use as a race journal keeps it (an "equipment" event).
    EquipmentInUse journaledEquipment() const;
    // Takes the equipment a race journal kept, without asking the decoder: its link opened (a
    // presence check under way is ended), the device in use and the AMBrc decoder's id set.
    // During a replay into the program only the replayed records are counted with it.
    void takeJournaledEquipment(CountingDevice device, int32_t decoderId);
    // A stopped race is replayed from its journal into the program. Its decoder records are
    // counted as the equipment the journal kept counted them (its "equipment" records), whatever
    // the program's own equipment is now; what the link received before is set aside, and a
    // record half read on either side of the replay is dropped. Once it is done, the program's
    // own equipment counts on (the keys, when it has no decoder), and passings the decoder can
    // send again are asked for.
    void replayBegins();
    void replayedBytes(std::string_view bytes);
    void replayEnds();
    // Whether passings the program missed while it was stopped are fetched from the decoder: a P3
    // decoder in use on an open link, with a passing number to ask on from.
    bool fetchesMissedPassings() const;
    // The passings of a resumed race's stop, from a P3 decoder (MissedPassings).
    bool askForMissedPassings(std::function<int64_t()> journalNow) override;
    size_t missedPassingsCome() const override { return p3_.missedCome(); }
    std::vector<TimedBytes> takeMissedPassings(int64_t notBeforeMs, int64_t notAfterMs) override;
    // True while they are waited for: the link's records are set aside for them.
    bool waitingForMissedPassings() const { return p3_.askingForMissed(); }

    // One complete record.
    void sortsignal(std::string_view record);
    // Frames a command text and sends it over the TCP link when it is active, else the serial
    // port.
    void SendDecoderCommand(const std::string& text);
    void sendAmbrcCommand(int command, std::initializer_list<int> parameters);

    // ---- Around a race
    // ----------------------------------------------------------------------------
    void TurnAmbOn(bool raceRunning) override;
    void TurnAmbOff() override;

    // ---- Settings window
    // ---------------------------------------------------------------------------- The settings
    // window closes with `chosenDevice` chosen; `portListChanged` when the decoder port list was
    // changed since it was activated. Sets the equipment up again when needed and no race is
    // running. True when it did.
    bool applyEquipmentChoice(CountingDevice chosenDevice, bool portListChanged);
    // The transponder test: started when the settings window is activated, ended when it closes.
    void setMonitorView(MonitorView* view) { monitorView_ = view; }
    void settingsActivated();
    void settingsClosed();
    void ResetCounterClick();    // "Reset Counter"
    void ChecksInfoBtnClick();   // "Information"
    void checksmemoClearClick(); // "Clear"

    // A complete line from the track-controller port, for a second System 20 decoder there.
    void controllerLine(std::string_view line);

    PassingCounter& counter() { return counter_; }
    P3Link& p3() { return p3_; }
    const SilenceWatch& silenceWatch() const { return silence_; }
    const NoiseTally& noise() const { return noise_; }

    // ---- The device in use ----------------------------------------------------------------------
    CountingDevice countDevice() const override { return CountDevice; }
    // Takes a device into use without setting it up; the settings' "COUNTDEVICE" follows. Falling
    // back to manual counting ends booking in, and a running race goes on with the keys.
    void setCountDevice(CountingDevice device);
    // Told whenever another device comes into use (a decoder found, lost or found again).
    void onCountDeviceChanged(std::function<void()> changed) {
        deviceChanged_ = std::move(changed);
    }

    int32_t DecoderId = 0;
    bool MonitorMode = false;

  private:
    // Why the presence check runs: the set-up (a time-out falls back to manual counting), the
    // operator's reconnect (with the search window) or an automatic one (no window, no message).
    enum class CheckKind { SetUp, Reconnect, Retry };

    bool raceTakesPassings() const;
    bool raceRunning() const;
    int portEntry() const;
    SerialParameters decoderParameters() const;
    // Opens the device's link and keeps its status text ("AMBrc(Com2)", "P3(TCP)") in
    // `linkStatus_`; false when its serial port cannot be opened.
    bool openLink(CountingDevice device);
    void closeLinks();
    void startCheck(CountingDevice device, CheckKind kind);
    void askDecoder(CountingDevice device);
    void checkAnswer(std::string_view record);
    void presenceCheckStep();
    void stopPresenceCheck();
    void presenceCheckAnswered();
    void presenceCheckFailed();
    // The lost decoder answered: it counts again.
    void restored();
    // Bytes came over the link of a lost decoder: it is found again.
    void bytesOnLostLink();
    // `broken`: the transport failed (the link is closed); else the decoder went silent.
    void linkLost(const std::string& notice, bool broken);
    void attemptReconnect(CheckKind kind);
    void scheduleRetry();
    void retry();
    void stopRetry();
    void watchSilence();
    void serialFollowUp();
    // The decoder's own part of switching on: RTS, or the AMBrc start commands; without
    // `restartClock` no command 24 (a race under way).
    void switchOn(bool restartClock);
    // The System 20 decoder's RTS line: switched on from off, its clock restarts.
    void setDecoderRts(bool on);
    void feedLines(LineAssembler& lines, std::string_view bytes);
    void feedP3(std::string_view bytes);
    // One line of a text dialect: its record found and dispatched.
    void decoderLine(std::string_view line);
    void showStatus(const std::string& text);
    void monitor(std::string_view record);
    void showMonitorOutput(const MonitorOutput& out);
    void p3Frame(const P3Frame& frame);

    ProgSettings& settings_;
    EventData& event_;
    TimedRace& race_;
    EquipmentLinks links_;
    PassingCounter counter_;
    P3Link p3_;
    SilenceWatch silence_;
    NoiseTally noise_;
    ReconnectBackoff backoff_;
    MonitorView* monitorView_ = nullptr;
    LineAssembler serialLines_;
    LineAssembler socketLines_;
    RaceTimer checkTimer_;
    RaceTimer retryTimer_;
    int checkProgress_ = 0;
    CheckKind checkKind_ = CheckKind::SetUp;
    CountingDevice checkedDevice_ = CountingDevice::Manual;
    int comNumber_ = 1;
    CountingDevice CountDevice;
    CountingDevice lostDevice_ = CountingDevice::Manual;
    CountingDevice linkDevice_ = CountingDevice::Manual; // the device whose link was opened last
    bool linkOverTcp_ = false;
    bool decoderRts_ = false;     // the decoder port's RTS line as last set
    bool reopenedSerial_ = false; // an attempt opened the lost decoder's serial port again
    int64_t reopenedMs_ = 0;      // when it did
    size_t p3Noise_ = 0;          // the P3 reader's bytes and frames dropped, as last tallied
    std::string statusText_;
    std::string linkStatus_; // the status text of the link opened last
    struct InUse {
        CountingDevice device;
        int32_t decoderId;
    };
    std::optional<InUse> ownDuringReplay_; // the program's own equipment while a race is replayed
    std::function<void()> deviceChanged_;
};

} // namespace vexa
