#include "ui/main/timing_status_panel.h"

#include "platform/latin1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace vexa {

TimingStatusPanel::TimingStatusPanel(QWidget* parent) : QWidget(parent) {
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    timingt_ = label("timingt");
    decoderStatus_ = label("AMBrcstatusLB");
    weather_[0] = label("airtempLB");
    weather_[1] = label("tracktempLB");
    weather_[2] = label("humidityLB");
    weather_[3] = label("pressureLB");
    notice_ = label("timingNoticeLB");
    notice_->setStyleSheet(QStringLiteral("color: #b00000"));
    // A long message is cut at the window's edge; "Messages" shows it whole.
    notice_->setMinimumWidth(0);
    notice_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reconnect_ = new QPushButton(QStringLiteral("Reconnect Decoder"), this);
    reconnect_->setObjectName(QStringLiteral("reconnectDecoderBtn"));
    reconnect_->setFocusPolicy(Qt::NoFocus); // lap-counting keys must not press it
    reconnect_->hide();
    connect(reconnect_, &QPushButton::clicked, this, [this] {
        notice_->clear();
        if (doReconnect_) doReconnect_();
        refreshReconnect();
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(timingt_);
    layout->addWidget(decoderStatus_);
    for (QLabel* w : weather_) layout->addWidget(w);
    layout->addWidget(notice_, 1);
    layout->addWidget(reconnect_);
}

void TimingStatusPanel::showCountingEquipment(const std::string& text) {
    timingt_->setText(toQt(text));
    refreshReconnect();
}

void TimingStatusPanel::showDecoderStatus(const std::string& text) {
    decoderStatus_->setText(toQt(text));
}

void TimingStatusPanel::showWeather(WeatherValue which, const std::string& text) {
    weather_[static_cast<int>(which)]->setText(toQt(text));
    emit weatherShown(which, toQt(text));
}

void TimingStatusPanel::showNotice(const std::string& text) {
    setNotice(text);
    emit noticeShown(toQt(text));
}

void TimingStatusPanel::setNotice(const std::string& text) {
    notice_->setText(toQt(text));
    refreshReconnect();
}

void TimingStatusPanel::onReconnect(std::function<void()> reconnect,
                                    std::function<bool()> canReconnect) {
    doReconnect_ = std::move(reconnect);
    canReconnect_ = std::move(canReconnect);
    refreshReconnect();
}

void TimingStatusPanel::refreshReconnect() {
    reconnect_->setVisible(canReconnect_ && canReconnect_());
}

} // namespace vexa
