#pragma once

#include "ports/track_controller.h"
#include "timing/line_assembler.h"
#include "timing/track_controller_texts.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa {

struct ProgSettings;
class SerialPort;
class TimingView;

// The track controller on its serial port ("COMPORT" of section "RCIO"): start lights, race
// number, clock and scoreboard texts out; weather readings (and, with "SECONDAMB", the records of
// a second System 20 decoder) in. In compatibility mode only the race number goes out, as one
// byte.
class RcioController : public TrackController {
  public:
    RcioController(const ProgSettings& settings, SerialPort& port, TimingView& view)
        : settings_(settings), port_(port), view_(view) {
        ClearScoreboard();
    }

    void OpenRcioPort() override;
    void SetLights(StartLight code) override;
    void SendRaceNumber(int heat, int round) override;
    void SendTimeDisplay(bool countdown, int seconds) override;
    void ClearScoreboard() override;
    void SendScoreboard(const std::vector<ScoreboardPosition>& positions) override;

    // Bytes received on the controller port.
    void rciocontrollerReceiveData(std::string_view bytes);
    // Where complete lines go when "SECONDAMB" is ticked.
    void setSecondDecoder(std::function<void(std::string_view)> onLine) {
        secondDecoder_ = std::move(onLine);
    }
    // Once the port has been opened for racing it is not changed while the program runs.
    bool portChoiceLocked() const { return portChoiceLocked_; }

  private:
    void RcioSend(const std::string& text);
    void line(std::string_view text);

    const ProgSettings& settings_;
    SerialPort& port_;
    TimingView& view_;
    std::function<void(std::string_view)> secondDecoder_;
    LineAssembler lines_;
    bool portChoiceLocked_ = false;

    std::array<int, ScoreboardPositions + 1> cars_{};
    std::array<double, ScoreboardPositions + 1> gaps_{};
    std::string lastOrderText_;
    std::string lastGapsText_;
};

} // namespace vexa
