#include "timing/decoder_monitor.h"

#include "model/event_data.h"
#include "timing/record_fields.h"

#include <array>

namespace vexa {

namespace {

// Positions first..last (1-based) of a record, as much of them as it holds.
std::string positions(std::string_view record, size_t first, size_t last) {
    if (record.size() < first) return {};
    return std::string(record.substr(first - 1, last - first + 1));
}

std::string withoutEnds(std::string_view value) {
    if (value.size() < 3) return std::string(value);
    return std::string(value.substr(1, value.size() - 2));
}

MonitorOutput system20Record(std::string_view record, MonitorDialect dialect) {
    MonitorOutput out;
    if (record.empty() || record[0] != '@') return out;
    if (dialect == MonitorDialect::Italian) {
        out.lines.push_back("Transponder #: " + positions(record, 2, 3));
    } else if (dialect == MonitorDialect::Ex20) {
        const std::string x(record.substr(1));
        if (x != "00000001") out.lines.push_back("Transponder #: " + x);
    } else if (positions(record, 2, 3) == "00") {
        out.label = "Timer: " + positions(record, 4, 5) + ":" + positions(record, 6, 7) + ":" +
                    positions(record, 8, 9);
    } else {
        out.lines.push_back("Transponder:" + positions(record, 2, 3) +
                            "     Hits:" + positions(record, 12, 13) +
                            "     Time:" + positions(record, 4, 5) + ":" + positions(record, 6, 7) +
                            ":" + positions(record, 8, 9) + "." + positions(record, 10, 11));
    }
    return out;
}

MonitorOutput ambrcPassing(const AmbrcFields& fields, EventData& event) {
    MonitorOutput out;
    const std::string_view battery = fields.field(7);
    const char* batteryText = battery == "2" ? " Batt: Normal" : battery == "3" ? " Batt: Low" : "";
    const std::string_view transponder = fields.field(3);
    const std::string start = bookInByTransponder(transponder, event, out);
    out.lines.push_back(start + "Tx#:" + std::string(transponder) + " Time:" +
                        std::string(fields.field(4)) + " Hits:" + std::string(fields.field(5)) +
                        " Signal:" + std::string(fields.field(6)) + batteryText);
    return out;
}

MonitorOutput ambrcRecord(std::string_view record, EventData& event) {
    MonitorOutput out;
    if (record.size() < 2 || record[0] != '\x01') return out;
    const AmbrcFields fields(record);
    switch (record[1]) {
    case '@':
        return ambrcPassing(fields, event);
    case '#':
        out.label = "(AMBrc Status)  Noise Level:" + std::string(fields.field(3));
        break;
    case '$':
        if (fields.field(3) == "33") {
            static constexpr std::array<const char*, 5> captions = {
                "Decoder Type:       ", "Firmware Version:   ", "Firmware Date:      ",
                "Firmware Time:      ", "Protocol Version:   "};
            for (int i = 0; i < 5; ++i)
                out.lines.push_back(captions[static_cast<size_t>(i)] +
                                    withoutEnds(fields.field(4 + i)));
        }
        break;
    default:
        break;
    }
    return out;
}

} // namespace

std::string bookInByTransponder(std::string_view transponder, EventData& event,
                                MonitorOutput& out) {
    for (int id = 1; id <= MaxCompetitors; ++id) {
        comp_ent& c = event.competitor(id);
        if (!c.inUse() || std::to_string(c.transponder) != transponder) continue;
        if (c.enabled != 'Y') {
            c.enabled = 'Y';
            out.bookedInId = id;
        }
        return (c.name + " ").substr(0, NameCapacity);
    }
    return {};
}

MonitorOutput monitorRecord(std::string_view record, MonitorDialect dialect, EventData& event) {
    if (dialect == MonitorDialect::Ambrc) return ambrcRecord(record, event);
    return system20Record(record, dialect);
}

} // namespace vexa
