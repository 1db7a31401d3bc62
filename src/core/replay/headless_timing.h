#pragma once

#include "ports/decoder_input.h"
#include "ports/decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "race/recording_ports.h"
#include "timing/counting_equipment.h"

#include <string>

namespace vexa {

// A serial port whose received bytes come from the script; it is always there.
class ScriptSerialPort : public SerialPort {
  public:
    ScriptSerialPort(RecordingPorts& ports, const char* name) : ports_(ports), name_(name) {}
    bool open(int comNumber, const SerialParameters& parameters) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setRts(bool on) override;
    void write(const std::string& bytes) override;

  private:
    RecordingPorts& ports_;
    const char* name_;
    bool open_ = false;
};

// A decoder connection whose received bytes come from the script; it always connects.
class ScriptSocket : public DecoderSocket {
  public:
    explicit ScriptSocket(RecordingPorts& ports) : ports_(ports) {}
    void open(const std::string& address, uint16_t defaultPort) override;
    void close() override { active_ = false; }
    bool active() const override { return active_; }
    std::string host() const override { return host_; }
    void write(const std::string& bytes) override;

  private:
    RecordingPorts& ports_;
    bool active_ = false;
    std::string host_;
};

// What the race screen would show about the equipment, as notes of the transcript.
class ScriptTimingView : public TimingView, public SearchWindow {
  public:
    explicit ScriptTimingView(RecordingPorts& ports) : ports_(ports) {}
    void showCountingEquipment(const std::string& text) override;
    void showDecoderStatus(const std::string&) override {}
    void showWeather(WeatherValue, const std::string&) override {}
    void showNotice(const std::string& text) override { ports_.note(text); }
    void open(const std::string& message) override { ports_.note(message); }
    void setMessage(const std::string& message) override { ports_.note(message); }
    void setProgress(int) override {}
    void close() override {}

  private:
    RecordingPorts& ports_;
};

// The links of a headless run's counting equipment, and its decoder input: the settings'
// decoder, set up and checked for as the program does, fed with the script's decoder bytes over
// the link the settings name. Bytes that come while that link is closed (a decoder taken for
// lost and not reached again yet) are dropped, as the program never receives them.
class HeadlessTiming : public DecoderInput {
  public:
    explicit HeadlessTiming(RecordingPorts& ports);

    EquipmentLinks links(Scheduler& scheduler, const Clock& clock, Operator& op);
    // The equipment the script's bytes go to, once it is made on these links.
    void feed(CountingEquipment& equipment) { equipment_ = &equipment; }
    void receiveDecoderBytes(const std::string& bytes) override;
    void equipmentAsJournaled(int device, int32_t decoderId) override;

  private:
    ScriptSerialPort decoderPort_;
    ScriptSerialPort controllerPort_;
    ScriptSocket socket_;
    ScriptTimingView view_;
    CountingEquipment* equipment_ = nullptr;
};

} // namespace vexa
