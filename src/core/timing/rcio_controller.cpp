#include "timing/rcio_controller.h"

#include "ports/serial_port.h"
#include "ports/timing_view.h"
#include "settings/prog_settings.h"

namespace vexa {

void RcioController::OpenRcioPort() {
    const int entry = settings_.rcioComPort;
    if (entry >= 1 && entry <= 8 && !port_.isOpen()) port_.open(entry, SerialParameters{9600, 1});
    portChoiceLocked_ = true;
}

void RcioController::RcioSend(const std::string& text) {
    if (port_.isOpen() && !settings_.compatible) port_.write(text);
}

void RcioController::SetLights(StartLight code) {
    for (const std::string& text : lightTexts(static_cast<int>(code))) RcioSend(text);
}

void RcioController::SendRaceNumber(int heat, int round) {
    if (settings_.compatible) {
        if (port_.isOpen()) port_.write(std::string(1, compatibleRaceNumberByte(heat)));
        return;
    }
    RcioSend(raceNumberText(heat, round));
}

void RcioController::SendTimeDisplay(bool countdown, int seconds) {
    RcioSend(timeDisplayText(countdown, seconds));
}

void RcioController::ClearScoreboard() {
    cars_.fill(EmptyScoreboardCar);
    gaps_.fill(0.0);
}

void RcioController::SendScoreboard(const std::vector<ScoreboardPosition>& positions) {
    std::array<double, 3> gaps;
    gaps.fill(NoScoreboardGap);
    for (size_t p = 1; p <= positions.size() && p <= ScoreboardPositions; ++p) {
        const ScoreboardPosition& d = positions[p - 1];
        if (!d.present || d.carno > 10) continue;
        cars_[p] = d.carno;
        gaps_[p] = d.leadergap;
        if (p <= 3) gaps[p - 1] = d.leadergap;
    }
    const std::string order = runningOrderText(cars_);
    if (order != lastOrderText_) {
        RcioSend("#&0" + order + "\r");
        lastOrderText_ = order;
    }
    const std::string gapText = gapsText(gaps);
    if (gapText != lastGapsText_) {
        lastGapsText_ = gapText;
        RcioSend("#&1" + gapText + "\r");
    }
}

void RcioController::rciocontrollerReceiveData(std::string_view bytes) {
    lines_.feed(bytes, [this](std::string_view text) { line(text); });
}

void RcioController::line(std::string_view text) {
    if (settings_.secondAmb && secondDecoder_) secondDecoder_(text);
    if (const std::optional<WeatherReading> reading = parseWeatherLine(text))
        view_.showWeather(reading->which, reading->text);
}

} // namespace vexa
