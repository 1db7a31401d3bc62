#pragma once

#include "ports/serial_port.h"
#include "settings/count_device_choices.h"
#include "timing/line_assembler.h"
#include "timing/line_noise.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vexa {

struct ProgSettings;
struct P3Frame;
class Clock;
class DecoderSocket;
class DecoderClockOrigin;
class P3Link;

inline constexpr const char* ManualTimingText = "Manual Timing";
inline constexpr const char* P3StatusText = "P3(TCP)";
inline constexpr const char* PortNotFoundMessage = "AMB Port Not found, Manual counting now set";
// The entry of the decoder port list that means "IP Address".
inline constexpr int IpAddressPortEntry = AddressPortEntry;

// The ports a decoder link runs over.
struct DecoderLinkPorts {
    const Clock& clock;
    SerialPort& decoderPort;
    DecoderSocket& socket;
    SerialPort& controllerPort; // RTS of a second decoder on the track-controller port
};

// What a decoder link brings, as it is read: the lines of the text dialects (AMBrc, System 20,
// EX20, the Italian system) and the P3 records.
struct LinkReaders {
    std::function<void(std::string_view)> line;
    std::function<void(const P3Frame&)> frame;
};

// The link to a decoder: its serial port or TCP connection opened and closed, the bytes read
// into lines or P3 records with the noise between them tallied, the commands written and the
// RTS lines switched. While a stopped race is replayed from its journal, nothing is written:
// the program that stopped switched its decoder long ago.
class DecoderLink {
  public:
    DecoderLink(const ProgSettings& settings, const DecoderLinkPorts& ports, P3Link& p3,
                DecoderClockOrigin& origin, NoiseTally& noise, LinkReaders readers);

    // Opens the device's link and keeps its status text ("AMBrc(Com2)", "P3(TCP)"); false when
    // its serial port cannot be opened. With `keepLine` the RTS line stays as it is (a decoder
    // found again during a race: off and on again would restart a System 20 decoder's clock).
    bool open(CountingDevice device, bool keepLine);
    void close();
    // Closes the TCP connection only, with what it half brought.
    void closeConnection();
    // The TCP connection could not be made or broke: what it half brought is dropped.
    void connectionFailed();
    // Forgets the records half read on both sides.
    void dropHalfRead();
    // The serial AMBrc decoder just identified is told to answer at one stop bit, and its port
    // is opened so; false when the port does not open again.
    bool reopenAtOneStopBit();

    // The status text of the link opened last.
    const std::string& status() const { return status_; }
    // The device whose link was opened last.
    CountingDevice device() const { return device_; }
    // Whether the link is the TCP connection (else the serial port).
    bool overTcp() const { return overTcp_; }
    bool connected() const;
    bool serialOpen() const;

    void serialBytes(std::string_view bytes);
    void socketBytes(std::string_view bytes);
    // Bytes of a replayed race, read as the device's link read them.
    void replayedBytes(CountingDevice device, std::string_view bytes);

    // Frames a command text and sends it over the TCP connection when it is active, else the
    // serial port.
    void send(const std::string& text);
    // An AMBrc command to the decoder of identity `decoderId()`.
    void sendAmbrc(int command, std::initializer_list<int> parameters);
    int32_t decoderId() const { return decoderId_; }
    void setDecoderId(int32_t id) { decoderId_ = id; }
    // The System 20 decoder's RTS line: switched on from off, its clock restarts.
    void setRts(bool on);
    // The RTS line of a second decoder on the track-controller port.
    void setSecondRts(bool on);
    void setReplaying(bool replaying) { replaying_ = replaying; }

  private:
    void feedLines(LineAssembler& lines, std::string_view bytes);
    void feedP3(std::string_view bytes);
    SerialParameters parameters() const;

    const ProgSettings& settings_;
    DecoderLinkPorts ports_;
    P3Link& p3_;
    DecoderClockOrigin& origin_;
    NoiseTally& noise_;
    LinkReaders readers_;
    LineAssembler serialLines_;
    LineAssembler socketLines_;
    std::string status_;
    CountingDevice device_ = CountingDevice::Manual;
    int comNumber_ = 1;
    int32_t decoderId_ = 0;
    bool overTcp_ = false;
    bool rts_ = false;       // the decoder port's RTS line as last set
    bool replaying_ = false; // a stopped race is replayed: nothing is written
    size_t p3Noise_ = 0;     // the P3 reader's bytes and frames dropped, as last tallied
};

} // namespace vexa
