#pragma once

#include "ports/missed_passings.h"
#include "ports/scheduler.h"
#include "ports/serial_port.h"
#include "ports/timed_race.h"
#include "ports/timing_equipment.h"
#include "timing/decoder_link.h"
#include "timing/decoder_reconnector.h"
#include "timing/line_noise.h"
#include "timing/p3_link.h"
#include "timing/passing_counter.h"
#include "timing/presence_check.h"
#include "timing/timing_data.h"
#include "timing/transponder_test.h"

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

inline constexpr const char* SocketErrorMessage =
    "Error connecting to IP address, try a different one or check connection and network "
    "settings";
inline constexpr const char* CheckingSystem20Message = "Checking AMB SYSTEM 20 Decoder";
inline constexpr const char* ItalianSetupMessage = "Italian timing system setup - close window)";
inline constexpr const char* CheckingAmbrcMessage = "Checking AMBrc Decoder";
inline constexpr const char* CheckingP3Message = "Checking P3 Decoder";

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

// The counting equipment: the decoder in use on its link (`DecoderLink`), set up with the
// presence check (`PresenceCheck`) and the fall-back to manual counting, found again when its
// link is lost (`DecoderReconnector`), every record it sends dispatched, switched on and off
// around a race, and its transponder test (`TransponderTest`).
//
// The equipment owns `CountDevice`, the device counting now: it starts as the settings'
// "COUNTDEVICE" and changes here alone (a fall-back to manual counting, the settings window's
// choice); the settings close saves it to vexa.ini. The race engine must be made before the
// equipment is set up or receives records (a race that is not there takes none).
//
// A record starts at its start byte wherever it stands in its line; bytes before it are noise,
// dropped, tallied and told once a run.
class CountingEquipment : public TimingEquipment,
                          public MissedPassings,
                          private ReconnectedEquipment {
  public:
    CountingEquipment(const TimingData& data, const EquipmentLinks& links);
    ~CountingEquipment() override;
    CountingEquipment(const CountingEquipment&) = delete;
    CountingEquipment& operator=(const CountingEquipment&) = delete;

    void Setupcountingequipment();
    bool presenceCheckRunning() const { return check_.running(); }
    int presenceCheckProgress() const { return check_.progress(); }
    // The counting-equipment text last shown ("Manual Timing", "AMBrc(Com2)", ...).
    const std::string& statusText() const { return statusText_; }
    // The identity of the AMBrc decoder, as its answer to the presence check or a race journal
    // gave it; a decoder known without asking is given it here.
    int32_t decoderId() const { return link_.decoderId(); }
    void setDecoderId(int32_t id) { link_.setDecoderId(id); }

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
    void reconnectDecoder() { reconnector_.reconnectDecoder(); }
    // The equipment in use before a link was lost, manual when none is lost.
    CountingDevice lostCountDevice() const { return reconnector_.lostDevice(); }
    // Whether the decoder link is the TCP connection (else the serial port).
    bool linkOverTcp() const { return link_.overTcp(); }

    // The equipment in use as a race journal keeps it (an "equipment" event).
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

    void TurnAmbOn(bool raceRunning) override;
    void TurnAmbOff() override;

    // The settings window closes with `chosenDevice` chosen; `portListChanged` when the decoder
    // port list was changed since it was activated. Sets the equipment up again when needed and
    // no race is running. True when it did.
    bool applyEquipmentChoice(CountingDevice chosenDevice, bool portListChanged);
    // The transponder test of the settings window.
    TransponderTest& transponderTest() { return test_; }
    const TransponderTest& transponderTest() const { return test_; }

    // A complete line from the track-controller port, for a second System 20 decoder there.
    void controllerLine(std::string_view line);

    P3Link& p3() { return p3_; }
    const SilenceWatch& silenceWatch() const { return reconnector_.silenceWatch(); }
    const NoiseTally& noise() const { return noise_; }

    CountingDevice countDevice() const override { return CountDevice; }
    // Takes a device into use without setting it up (the settings are left as they are). Falling
    // back to manual counting ends booking in, and a running race goes on with the keys.
    void setCountDevice(CountingDevice device) override;
    // Told whenever another device comes into use (a decoder found, lost or found again).
    void onCountDeviceChanged(std::function<void()> changed) {
        deviceChanged_ = std::move(changed);
    }

  private:
    // What the reconnector does to the equipment.
    void showStatus(const std::string& text) override;
    bool raceTakesPassings() const override { return race_.acceptsPassings(); }
    bool raceRunning() const override { return race_.raceRunning(); }
    void askDecoder(CountingDevice device) override;
    void startCheck(CountingDevice device, CheckKind kind) override;
    // The decoder's own part of switching on: RTS, or the AMBrc start commands; without
    // `restartClock` no command 24 (a race under way).
    void switchOn(bool restartClock) override;
    bool replaying() const override { return ownDuringReplay_.has_value(); }
    DecoderClockOrigin& clockOrigin() override { return counter_.clockOrigin(); }

    void closeLinks();
    void checkAnswer(std::string_view record);
    void checkRanOut();
    void checkAnswered();
    // One line of a text dialect: its record found and dispatched.
    void decoderLine(std::string_view line);
    void p3Frame(const P3Frame& frame);

    ProgSettings& settings_;
    TimedRace& race_;
    EquipmentLinks links_;
    PassingCounter counter_;
    P3Link p3_;
    NoiseTally noise_;
    DecoderLink link_;
    PresenceCheck check_;
    DecoderReconnector reconnector_;
    TransponderTest test_;
    CountingDevice CountDevice;
    std::string statusText_;
    struct InUse {
        CountingDevice device;
        int32_t decoderId;
    };
    std::optional<InUse> ownDuringReplay_; // the program's own equipment while a race is replayed
    std::function<void()> deviceChanged_;
};

} // namespace vexa
