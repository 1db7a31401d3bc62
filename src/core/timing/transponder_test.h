#pragma once

#include <string_view>

namespace vexa {

struct ProgSettings;
struct EventData;
struct MonitorOutput;
struct P3Frame;
class TimedRace;
class TimingEquipment;
class MonitorView;
class DecoderLink;
class P3Link;

inline constexpr const char* WaitingForSignalText = "Waiting for AMB signal";
inline constexpr const char* RaceRunningTestText = "Can't use due to race running";

// The settings window's transponder test: between the window's activation and its closing, the
// decoder in use shows every record it sends on the page (`MonitorView`) instead of counting
// it, and a passing of a disabled competitor books him in. Refused while a race runs. The page
// draws what this shows and hands it its buttons: "Reset Counter", "Information" and "Clear".
class TransponderTest {
  public:
    TransponderTest(const ProgSettings& settings, EventData& event, TimedRace& race,
                    const TimingEquipment& equipment, DecoderLink& link, P3Link& p3);

    // The page that shows the test, or none; whoever gives one takes it away before it goes.
    void setView(MonitorView* view) { view_ = view; }
    // True while the decoder's records are shown instead of counted.
    bool running() const { return running_; }

    void settingsActivated();
    // Only a test that was started is ended: a decoder counting a race is left on.
    void settingsClosed();
    void resetCounterClick(); // "Reset Counter"
    void informationClick();  // "Information"
    void clearClick();        // "Clear"
    // The test ends as the decoder is switched on for a race.
    void end() { running_ = false; }

    // One record of a text dialect, or a P3 record, shown.
    void showRecord(std::string_view record);
    void showP3Record(const P3Frame& frame);

  private:
    void show(const MonitorOutput& out);

    const ProgSettings& settings_;
    EventData& event_;
    TimedRace& race_;
    const TimingEquipment& equipment_;
    DecoderLink& link_;
    P3Link& p3_;
    MonitorView* view_ = nullptr;
    bool running_ = false;
};

} // namespace vexa
