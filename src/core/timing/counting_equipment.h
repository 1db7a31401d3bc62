#pragma once

#include "ports/decoder_input.h"
#include "ports/scheduler.h"
#include "ports/serial_port.h"
#include "ports/timing_equipment.h"
#include "timing/line_assembler.h"
#include "timing/passing_counter.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vexa {

struct Program;
class RaceEngine;
class Operator;
class DecoderSocket;
class TimingView;
class SearchWindow;
class MonitorView;

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
inline constexpr const char* DecoderLinkLostMessage =
    "Connection to the decoder lost, laps are now counted with the keys";

inline constexpr int PresenceCheckIntervalMs = 160;
inline constexpr int PresenceCheckSteps = 10;
// The entry of the decoder port list that means "IP Address".
inline constexpr int IpAddressPortEntry = 8;
// When the empty command is sent again over TCP during the presence check.
inline constexpr int PresenceCheckResendStep = 6;

// The links and windows the counting equipment works through.
struct EquipmentLinks {
    Scheduler& scheduler;
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
// before the equipment is set up or receives records.
class CountingEquipment : public TimingEquipment, public DecoderInput {
  public:
    CountingEquipment(Program& program, const EquipmentLinks& links);
    ~CountingEquipment() override;
    CountingEquipment(const CountingEquipment&) = delete;
    CountingEquipment& operator=(const CountingEquipment&) = delete;

    // ---- Set-up and presence check ------------------------------------------------------------
    void Setupcountingequipment();
    bool presenceCheckRunning() const { return checkTimer_ != 0; }
    int presenceCheckProgress() const { return checkProgress_; }
    // The counting-equipment text last shown ("Manual Timing", "AMBrc(Com2)", ...).
    const std::string& statusText() const { return statusText_; }

    // ---- Received bytes and link events ---------------------------------------------------------
    // Bytes from the decoder's serial port.
    void CommPortDriverReceiveData(std::string_view bytes);
    void receiveDecoderBytes(const std::string& bytes) override {
        CommPortDriverReceiveData(bytes);
    }
    // Bytes from the TCP connection; records are framed as on the serial line.
    void AMBClientSocketRead(std::string_view bytes);
    // The TCP connection could not be made.
    void AMBClientSocketError();
    // An established link broke: the TCP connection dropped or the serial adapter vanished.
    // Counting goes on with the keys; bytes that arrived before are already counted.
    void decoderLinkLost();
    // Sets up the equipment that was in use when the link was lost; when it answers while a race
    // is running or cars are booked in, it is switched on again.
    void reconnectDecoder();
    // The equipment in use before a link was lost, 0 when none was lost.
    CountingDevice lostCountDevice() const { return lostDevice_; }

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

    // ---- The device in use ----------------------------------------------------------------------
    CountingDevice countDevice() const override { return CountDevice; }
    // Takes a device into use without setting it up; the settings' "COUNTDEVICE" follows. Falling
    // back to manual counting ends booking in, and a running race goes on with the keys.
    void setCountDevice(CountingDevice device);

    int32_t DecoderId = 0;
    bool MonitorMode = false;

  private:
    RaceEngine* race() const;
    int portEntry() const;
    SerialParameters decoderParameters() const;
    void presenceCheckStep();
    void stopPresenceCheck();
    void presenceCheckAnswered();
    void serialFollowUp();
    // The decoder's own part of switching on: RTS, or the AMBrc start commands.
    void switchOn();
    void showStatus(const std::string& text);
    void monitor(std::string_view record);

    Program& program_;
    EquipmentLinks links_;
    PassingCounter counter_;
    MonitorView* monitorView_ = nullptr;
    LineAssembler serialLines_;
    LineAssembler socketLines_;
    TimerId checkTimer_ = 0;
    int checkProgress_ = 0;
    int comNumber_ = 1;
    CountingDevice CountDevice;
    CountingDevice lostDevice_ = CountingDevice::Manual;
    bool resumeAfterCheck_ = false;
    std::string statusText_;
};

} // namespace vexa
