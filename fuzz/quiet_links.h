#pragma once

#include "ports/decoder_socket.h"
#include "ports/serial_port.h"
#include "ports/timing_view.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa::fuzz {

// A link that is always there and keeps nothing of what is sent over it.
class QuietSerialPort : public SerialPort {
  public:
    bool open(int, const SerialParameters&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void setRts(bool) override {}
    void write(const std::string&) override {}

  private:
    bool open_ = false;
};

class QuietSocket : public DecoderSocket {
  public:
    void open(const std::string& address, uint16_t) override {
        host_ = address;
        active_ = true;
    }
    void close() override { active_ = false; }
    bool active() const override { return active_; }
    std::string host() const override { return host_; }
    void write(const std::string&) override {}

  private:
    std::string host_;
    bool active_ = false;
};

// The windows of the timing equipment, drawn nowhere.
class QuietTimingView : public TimingView, public SearchWindow, public MonitorView {
  public:
    void showCountingEquipment(const std::string&) override {}
    void showDecoderStatus(const std::string&) override {}
    void showWeather(WeatherValue, const std::string&) override {}
    void showNotice(const std::string&) override {}
    void open(const std::string&) override {}
    void setMessage(const std::string&) override {}
    void setProgress(int) override {}
    void close() override {}
    void setLabel(const std::string&) override {}
    void addLines(const std::vector<std::string>&) override {}
    void clear() override {}
};

} // namespace vexa::fuzz
