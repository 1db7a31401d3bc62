#pragma once

#include "ports/timing_view.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace vexa {

// The main window's timing labels: the counting equipment (`timingt`), the decoder status
// (`AMBrcstatusLB`), the four weather values (`airtempLB`, `tracktempLB`, `humidityLB`,
// `pressureLB`) and the main window's notice line (`timingNoticeLB`): the latest message that
// must not stop a race with a modal box, the timing equipment's notices and the messages the
// program gives by itself (all of them are kept, with their times, in "Messages"). After a lost
// decoder link the "Reconnect Decoder" button (`reconnectDecoderBtn`) offers to find the decoder
// again.
class TimingStatusPanel : public QWidget, public TimingView {
    Q_OBJECT
  public:
    explicit TimingStatusPanel(QWidget* parent = nullptr);

    void showCountingEquipment(const std::string& text) override;
    void showDecoderStatus(const std::string& text) override;
    void showWeather(WeatherValue which, const std::string& text) override;
    void showNotice(const std::string& text) override;
    // Shows a text on the notice line (a message of the program, logged already).
    void setNotice(const std::string& text);

    // What "Reconnect Decoder" does; the button shows while `canReconnect` says so.
    void onReconnect(std::function<void()> reconnect, std::function<bool()> canReconnect);

  signals:
    // A weather value was shown, as its label's whole text ("Air Temp:12.5°C").
    void weatherShown(vexa::WeatherValue which, const QString& text);
    // A notice of the timing equipment was shown, to be logged.
    void noticeShown(const QString& text);

  private:
    void refreshReconnect();

    QLabel* timingt_;
    QLabel* decoderStatus_;
    QLabel* weather_[4];
    QLabel* notice_;
    QPushButton* reconnect_;
    std::function<void()> doReconnect_;
    std::function<bool()> canReconnect_;
};

} // namespace vexa
