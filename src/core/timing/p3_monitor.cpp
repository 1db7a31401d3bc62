#include "timing/p3_monitor.h"

#include "timing/p3_decoder_clock.h"
#include "timing/p3_records.h"
#include "timing/p3_transponder.h"

#include <optional>
#include <string>

namespace vexa {

namespace {

template <class T> std::string part(const char* caption, const std::optional<T>& value) {
    return value ? caption + std::to_string(*value) : std::string();
}

MonitorOutput passingLine(const P3Passing& p, EventData& event) {
    MonitorOutput out;
    const std::optional<int32_t> number = p3TransponderNumber(p);
    const std::string transponder = number ? std::to_string(*number) : "-";
    const std::string start = number ? bookInByTransponder(transponder, event, out) : "";
    std::string line = start + "Tx#:" + transponder;
    if (!p.transponderCode.empty()) line += " Code:" + p.transponderCode;
    line +=
        " Time:" + p3TimeOfDay(p.rtcTime) + part(" Hits:", p.hits) + part(" Signal:", p.strength);
    out.lines.push_back(line);
    return out;
}

std::string statusLabel(const P3Status& s) {
    return "(P3 Status)  Noise Level:" + (s.noise ? std::to_string(*s.noise) : "-") +
           part("  Temperature:", s.temperature) + part("  Voltage:", s.inputVoltage) +
           part("  GPS:", s.gps) + part("  Satellites:", s.satellitesInUse);
}

void addLine(MonitorOutput& out, const char* caption, const std::string& value) {
    if (!value.empty()) out.lines.push_back(caption + value);
}

MonitorOutput versionLines(const P3Version& v) {
    MonitorOutput out;
    addLine(out, "Decoder Type:       ", v.decoderType);
    addLine(out, "Description:        ", v.description);
    addLine(out, "Firmware Version:   ", v.version);
    addLine(out, "Release:            ", v.release);
    addLine(out, "Registration:       ", v.registration);
    addLine(out, "Build:              ", v.build);
    addLine(out, "Options:            ", v.options);
    if (v.decoderId) addLine(out, "Decoder Id:         ", std::to_string(*v.decoderId));
    return out;
}

} // namespace

MonitorOutput monitorP3Record(const P3Frame& frame, EventData& event) {
    MonitorOutput out;
    switch (frame.tor) {
    case P3Tor::Passing:
        if (const std::optional<P3Passing> p = readP3Passing(frame)) return passingLine(*p, event);
        break;
    case P3Tor::Status:
        if (const std::optional<P3Status> s = readP3Status(frame)) out.label = statusLabel(*s);
        break;
    case P3Tor::Version:
        if (const std::optional<P3Version> v = readP3Version(frame)) return versionLines(*v);
        break;
    case P3Tor::GetTime:
        if (const std::optional<P3Time> t = readP3Time(frame))
            out.lines.push_back("Decoder Clock:      " + p3TimeOfDay(t->rtcTime));
        break;
    case P3Tor::Error:
        if (const std::optional<P3Error> e = readP3Error(frame))
            out.lines.push_back("Decoder Error:      " + std::to_string(e->code) +
                                (e->description.empty() ? "" : " " + e->description));
        break;
    default:
        break;
    }
    return out;
}

} // namespace vexa
