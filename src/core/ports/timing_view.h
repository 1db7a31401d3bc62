#pragma once

#include <string>
#include <vector>

namespace vexa {

// The controller's weather sensors shown on the main window.
enum class WeatherValue { AirTemp, TrackTemp, Humidity, Pressure };

// What the main window shows of the timing equipment: the counting-equipment label (`timingt`),
// the decoder status label (`AMBrcstatusLB`), the weather labels, and notices that must not stop
// the race with a modal box (a garbled record, a lost decoder link).
class TimingView {
  public:
    virtual ~TimingView() = default;
    virtual void showCountingEquipment(const std::string& text) = 0;
    virtual void showDecoderStatus(const std::string& text) = 0;
    virtual void showWeather(WeatherValue which, const std::string& text) = 0;
    virtual void showNotice(const std::string& text) = 0;
};

// The "AMB Connection" search window of the presence check: a message and a progress bar from 0
// to 10, shown modally without blocking the caller.
class SearchWindow {
  public:
    virtual ~SearchWindow() = default;
    virtual void open(const std::string& message) = 0; // progress at 0
    virtual void setMessage(const std::string& message) = 0;
    virtual void setProgress(int step) = 0;
    virtual void close() = 0;
};

// The settings window's "Transponder Test" page: its status label (`checktranmessagelb`) and
// memo (`CheckstranMemo`).
class MonitorView {
  public:
    virtual ~MonitorView() = default;
    virtual void setLabel(const std::string& text) = 0;
    virtual void addLines(const std::vector<std::string>& lines) = 0;
    virtual void clear() = 0;
};

} // namespace vexa
