#include "timing/decoder_link.h"

#include "ports/clock.h"
#include "ports/decoder_socket.h"
#include "settings/prog_settings.h"
#include "timing/decoder_address.h"
#include "timing/decoder_clock_origin.h"
#include "timing/decoder_commands.h"
#include "timing/p3_link.h"

namespace vexa {

DecoderLink::DecoderLink(const ProgSettings& settings, const DecoderLinkPorts& ports, P3Link& p3,
                         DecoderClockOrigin& origin, NoiseTally& noise, LinkReaders readers)
    : settings_(settings), ports_(ports), p3_(p3), origin_(origin), noise_(noise),
      readers_(std::move(readers)) {}

SerialParameters DecoderLink::parameters() const {
    return settings_.ex20 ? SerialParameters{19200, 1} : SerialParameters{9600, 2};
}

bool DecoderLink::open(CountingDevice device, bool keepLine) {
    device_ = device;
    ports_.decoderPort.close();
    serialLines_.reset();
    if (device == CountingDevice::P3) {
        overTcp_ = true;
        ports_.socket.open(settings_.ipAddress, P3TcpPort);
        p3_.linkOpened();
        status_ = P3StatusText;
        return true;
    }
    const int entry = settings_.count1ComPort;
    std::string suffix = "(Com)";
    comNumber_ = 1;
    if (entry >= 1 && entry <= 7) {
        comNumber_ = entry + 1;
        suffix = "(Com" + std::to_string(comNumber_) + ")";
    }
    if (!keepLine) setRts(false);
    overTcp_ = entry == IpAddressPortEntry && device == CountingDevice::Ambrc;
    if (entry != IpAddressPortEntry && !ports_.decoderPort.open(comNumber_, parameters()))
        return false;
    if (overTcp_) ports_.socket.open(settings_.ipAddress, AmbrcTcpPort);
    status_ = (device == CountingDevice::System20 ? "AMB20" : "AMBrc") + suffix;
    return true;
}

void DecoderLink::close() {
    ports_.socket.close();
    ports_.decoderPort.close();
    dropHalfRead();
    p3_.linkClosed();
}

void DecoderLink::closeConnection() {
    if (ports_.socket.active()) ports_.socket.close();
    connectionFailed();
}

void DecoderLink::connectionFailed() {
    socketLines_.reset();
    p3_.linkClosed();
}

void DecoderLink::dropHalfRead() {
    socketLines_.reset();
    serialLines_.reset();
}

bool DecoderLink::reopenAtOneStopBit() {
    sendAmbrc(AmbrcCommand::SetStopBits, {0});
    ports_.decoderPort.close();
    SerialParameters oneStopBit = parameters();
    oneStopBit.stopBits = 1;
    return ports_.decoderPort.open(comNumber_, oneStopBit);
}

bool DecoderLink::connected() const {
    return ports_.socket.active();
}

bool DecoderLink::serialOpen() const {
    return ports_.decoderPort.isOpen();
}

void DecoderLink::serialBytes(std::string_view bytes) {
    feedLines(serialLines_, bytes);
}

void DecoderLink::socketBytes(std::string_view bytes) {
    if (device_ == CountingDevice::P3)
        feedP3(bytes);
    else
        feedLines(socketLines_, bytes);
}

void DecoderLink::replayedBytes(CountingDevice device, std::string_view bytes) {
    if (device == CountingDevice::P3)
        feedP3(bytes);
    else
        feedLines(serialLines_, bytes);
}

void DecoderLink::feedLines(LineAssembler& lines, std::string_view bytes) {
    const size_t overflowBefore = lines.droppedBytes();
    lines.feed(bytes, readers_.line);
    noise_.dropped(lines.droppedBytes() - overflowBefore);
}

void DecoderLink::feedP3(std::string_view bytes) {
    // A link that opens in the middle of a record skips its rest: that is no noise.
    bool synced = p3_.frameCounts().frames > 0;
    p3_.feed(bytes, [this, &synced](const P3Frame& frame) {
        const P3FrameCounts& counts = p3_.frameCounts();
        const size_t noise = counts.skippedBytes + counts.dropped();
        if (synced && noise > p3Noise_)
            noise_.dropped(noise - p3Noise_);
        else if (synced)
            noise_.clean();
        p3Noise_ = noise;
        synced = true;
        readers_.frame(frame);
    });
}

void DecoderLink::send(const std::string& text) {
    if (replaying_) return;
    const std::string frame = frameDecoderCommand(text);
    if (ports_.socket.active())
        ports_.socket.write(frame);
    else
        ports_.decoderPort.write(frame);
}

void DecoderLink::sendAmbrc(int command, std::initializer_list<int> parameters) {
    if (command == AmbrcCommand::StartA || command == AmbrcCommand::ResetCounter)
        origin_.restarted(ports_.clock.milliseconds());
    send(ambrcCommandText(decoderId_, command, parameters));
}

void DecoderLink::setRts(bool on) {
    const int64_t now = ports_.clock.milliseconds();
    // The program that stopped switched its decoder so; the line now is this program's own.
    if (replaying_) {
        if (on) origin_.restarted(now);
        return;
    }
    // Switched on again, a System 20 decoder restarts its clock.
    if (on && !rts_) origin_.restarted(now);
    rts_ = on;
    ports_.decoderPort.setRts(on);
}

void DecoderLink::setSecondRts(bool on) {
    if (settings_.secondAmb && !replaying_) ports_.controllerPort.setRts(on);
}

} // namespace vexa
