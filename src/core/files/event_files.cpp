#include "files/event_files.h"

#include "base/whole_number.h"
#include "files/file_io.h"
#include "files/record_bytes.h"
#include "settings/ini_file.h"
#include "settings/setting_ranges.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vexa {

namespace fs = std::filesystem;

EventPaths EventPaths::in(const fs::path& eventDir) {
    return {eventDir,
            eventDir / "eventfile.qmf",
            eventDir / "eventfile.qdd",
            eventDir / "eventfile.qht",
            eventDir / "eventfile.qft",
            eventDir / "eventfile.qrf"};
}

namespace {

// A settings text as the whole number it holds, or `fallback`.
int32_t wholeOr(const std::string& text, int32_t fallback) {
    return parseWholeNumber(text).value_or(fallback);
}

double realOr(const std::string& text, double fallback) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(v)) return fallback;
    return v;
}

// General floating format with up to 15 significant digits.
std::string generalText(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

} // namespace

// eventfile.qmf ------------------------------------------------------------------------------

std::vector<uint8_t> eventSettingsBytes(const ProgSettings& s) {
    RecordWriter w(EventRecordSize);
    w.shortString(0, TitleCapacity, s.eventTitle);
    w.int32(84, s.raceNumber);
    w.int32(88, s.roundNumber);
    w.real48(92, realOr(s.trackLength, 500));
    w.byte(98, s.trackMeasureFeet ? 0 : 1);
    w.int32(100, wholeOr(s.minLap, 7));
    w.int32(104, wholeOr(s.lastStart, 30));
    w.int32(112, wholeOr(s.raceInterval, 60));
    w.int32(116, wholeOr(s.raceSetup, 30));
    w.int32(120, wholeOr(s.lastLap, 30));
    w.int32(124, 5);
    w.int32(128, s.maxRaceLaps);
    w.byte(132, s.countFirst ? 1 : 0);
    w.byte(133, s.racingHeats ? 1 : 0);
    w.byte(134, 1);
    w.byte(135, s.countFirst ? 1 : 0);
    return w.bytes();
}

void applyEventSettingsBytes(const std::vector<uint8_t>& bytes, ProgSettings& s) {
    if (bytes.size() < EventRecordSize) return;
    const RecordReader r(bytes.data(), EventRecordSize);
    s.eventTitle = r.shortString(0, TitleCapacity);
    // The spin boxes hold races 1..50 and rounds 1..20.
    s.raceNumber = std::clamp(r.int32(84), 1, MaxRaces);
    s.roundNumber = std::clamp(r.int32(88), 1, MaxRounds);
    s.trackLength = generalText(r.real48(92));
    s.trackMeasureFeet = r.byte(98) != 1;
    s.minLap = std::to_string(r.int32(100));
    s.lastStart = std::to_string(r.int32(104));
    s.raceInterval = std::to_string(r.int32(112));
    s.raceSetup = std::to_string(r.int32(116));
    s.lastLap = std::to_string(r.int32(120));
    s.maxRaceLaps = r.int32(128);
    s.racingHeats = r.byte(133) == 1;
    // The check box is set from offset 135 and then from offset 132, so 132 decides.
    s.countFirst = r.byte(135) == 1;
    s.countFirst = r.byte(132) == 1;
    holdSettingRanges(s);
}

// eventfile.qdd ------------------------------------------------------------------------------

std::vector<uint8_t> competitorsBytes(const EventData& event) {
    std::vector<uint8_t> out;
    out.reserve(CompetitorRecordSize * (MaxCompetitors + 1));
    RecordWriter header(CompetitorRecordSize);
    header.shortString(4, 10, CompetitorsHeaderText);
    out.insert(out.end(), header.bytes().begin(), header.bytes().end());
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const comp_ent& c = event.cpts[id];
        if (!c.inUse()) continue;
        RecordWriter w(CompetitorRecordSize);
        w.int32(0, id);
        w.shortString(4, NameCapacity, c.name);
        w.byte(30, static_cast<uint8_t>(c.ability));
        w.shortString(31, MemnoCapacity, c.memno);
        w.byte(38, static_cast<uint8_t>(c.classno));
        w.byte(39, c.finalfreq);
        w.byte(40, c.heatfreq);
        const int count = std::min<int>(c.owned[0], OwnedFreqCapacity);
        w.byte(41, static_cast<uint8_t>(count));
        for (int i = 1; i <= count; ++i) w.byte(41 + static_cast<size_t>(i), c.owned[i]);
        // The flag is written over the string's 200th character.
        w.byte(241, c.noFreqNeeded() ? NoFreqNeededFlag : 0);
        w.byte(242, static_cast<uint8_t>(c.enabled));
        w.shortString(243, PictureCapacity, c.picture);
        w.int32(500, c.transponder);
        out.insert(out.end(), w.bytes().begin(), w.bytes().end());
    }
    return out;
}

void applyCompetitorsBytes(const std::vector<uint8_t>& bytes, EventData& event) {
    bool header = true;
    forEachRecord(bytes, CompetitorRecordSize, [&](const RecordReader& r) {
        if (header) { // read and not inspected
            header = false;
            return;
        }
        const int id = r.int32(0);
        if (!validId(id)) return;
        comp_ent& c = event.cpts[id];
        c.name = r.shortString(4, NameCapacity);
        c.ability = r.signedByte(30);
        c.memno = r.shortString(31, MemnoCapacity);
        c.classno = r.signedByte(38);
        c.finalfreq = r.byte(39);
        c.heatfreq = r.byte(40);
        const int count = std::min<int>(r.byte(41), OwnedFreqCapacity);
        c.owned[0] = static_cast<uint8_t>(count);
        for (int i = 1; i <= count; ++i) c.owned[i] = r.byte(41 + static_cast<size_t>(i));
        if (r.byte(241) == NoFreqNeededFlag) c.owned[OwnedFreqCapacity] = NoFreqNeededFlag;
        c.enabled = static_cast<char>(r.byte(242));
        c.picture = r.shortString(243, PictureCapacity);
        c.transponder = r.int32(500);
    });
}

// eventfile.qht / eventfile.qft --------------------------------------------------------------

std::vector<uint8_t> tableBytes(const RacingTable& table) {
    std::vector<uint8_t> out;
    for (int col = RacingTable::FirstColumn; col <= RacingTable::LastColumn; ++col)
        for (int row = RacingTable::InfoRow; row <= RacingTable::LastRow; ++row) {
            const std::string& text = table.cell(col, row);
            if (text.empty()) continue;
            RecordWriter w(CellRecordSize);
            w.int32(0, col);
            w.int32(4, row);
            w.shortString(8, CellCapacity, text);
            out.insert(out.end(), w.bytes().begin(), w.bytes().end());
        }
    return out;
}

void applyTableBytes(const std::vector<uint8_t>& bytes, RacingTable& table) {
    table.clear();
    forEachRecord(bytes, CellRecordSize, [&](const RecordReader& r) {
        const int col = r.int32(0);
        const int row = r.int32(4);
        if (RacingTable::storedCell(col, row))
            table.setCell(col, row, r.shortString(8, CellCapacity));
    });
}

// eventfile.qrf ------------------------------------------------------------------------------

std::vector<uint8_t> resultsBytes(const EventData& event) {
    std::vector<uint8_t> out;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        const res_ent& res = event.cptres[id];
        for (int round = 1; round <= MaxRounds; ++round) {
            if (res.laps[round] == -1 && res.time[round] == -1.0) continue;
            RecordWriter w(ResultRecordSize);
            w.int32(0, id);
            w.int32(4, round);
            w.int32(8, res.laps[round]);
            w.real48(12, res.time[round]);
            out.insert(out.end(), w.bytes().begin(), w.bytes().end());
        }
    }
    return out;
}

void applyResultsBytes(const std::vector<uint8_t>& bytes, EventData& event) {
    event.clearResults();
    forEachRecord(bytes, ResultRecordSize, [&](const RecordReader& r) {
        const int id = r.int32(0);
        const int round = r.int32(4);
        if (!validId(id) || !validRound(round)) return;
        event.cptres[id].laps[round] = r.int32(8);
        event.cptres[id].time[round] = r.real48(12);
    });
}

// Files ---------------------------------------------------------------------------------------

Outcome writeEventSettings(const fs::path& path, const ProgSettings& settings) {
    return writeFileAtomic(path, eventSettingsBytes(settings));
}
Outcome writeCompetitors(const fs::path& path, const EventData& event) {
    return writeFileAtomic(path, competitorsBytes(event));
}
Outcome writeTable(const fs::path& path, const RacingTable& table) {
    return writeFileAtomic(path, tableBytes(table));
}
Outcome writeResults(const fs::path& path, const EventData& event) {
    return writeFileAtomic(path, resultsBytes(event));
}

void readEventSettings(const fs::path& path, ProgSettings& settings) {
    if (const auto bytes = readWholeFile(path)) applyEventSettingsBytes(*bytes, settings);
}

Outcome readCompetitors(const fs::path& path, EventData& event) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return Outcome::failure(MissingDriversFileMessage);
    applyCompetitorsBytes(*bytes, event);
    return Outcome::success();
}

void readTable(const fs::path& path, RacingTable& table) {
    if (const auto bytes = readWholeFile(path)) applyTableBytes(*bytes, table);
}

void readResults(const fs::path& path, EventData& event) {
    if (const auto bytes = readWholeFile(path)) applyResultsBytes(*bytes, event);
}

Outcome writeAllEventFiles(const EventPaths& paths, const ProgSettings& settings,
                           const EventData& event) {
    const Outcome results[] = {
        writeEventSettings(paths.settings, settings), writeCompetitors(paths.competitors, event),
        writeTable(paths.heats, event.heats), writeTable(paths.finals, event.finals),
        writeResults(paths.results, event)};
    for (const Outcome& o : results)
        if (!o) return o;
    return Outcome::success();
}

Outcome readAllEventFiles(const EventPaths& paths, ProgSettings& settings, EventData& event) {
    readEventSettings(paths.settings, settings);
    Outcome competitors = readCompetitors(paths.competitors, event);
    readTable(paths.heats, event.heats);
    readTable(paths.finals, event.finals);
    readResults(paths.results, event);
    return competitors;
}

} // namespace vexa
