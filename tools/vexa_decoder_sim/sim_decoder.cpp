#include "sim_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace vexa::sim {

int64_t monotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

SimDecoder::SimDecoder(const SimSettings& settings, double now)
    : settings_(settings), random_(settings.seed), track_(settings_, random_, now),
      clockStart_(now) {
    nextNoise_ = now + settings_.noiseEvery;
}

void SimDecoder::restartClock(double now) {
    clockStart_ = now;
    nextClockSecond_ = 0;
}

void SimDecoder::switchedOn(double now) {
    if (settings_.dialect == Dialect::System20 || settings_.dialect == Dialect::Ex20)
        restartClock(now);
}

std::string SimDecoder::passing(int32_t number, double decoderTime) {
    std::uniform_int_distribution<int> hits(settings_.hitsLow, settings_.hitsHigh);
    std::uniform_int_distribution<int> signal(60, 120);
    char text[160];
    switch (settings_.dialect) {
    case Dialect::Ambrc: {
        const long long field2 =
            settings_.stamp ? static_cast<long long>(monotonicNanoseconds()) : 1;
        std::snprintf(text, sizeof text, "\x01@\t%d\t%lld\t%d\t%.3f\t%d\t%d\t2\r\n",
                      settings_.decoderId, field2, number, decoderTime, hits(random_),
                      signal(random_));
        break;
    }
    case Dialect::System20: {
        const long hundredths = std::lround(std::max(0.0, decoderTime) * 100.0);
        const long seconds = hundredths / 100;
        std::snprintf(text, sizeof text, "@%02d%02ld%02ld%02ld%02ld%02d\r\n", number % 100,
                      seconds / 3600 % 100, seconds / 60 % 60, seconds % 60, hundredths % 100,
                      std::min(hits(random_), 99));
        break;
    }
    case Dialect::Ex20:
        std::snprintf(text, sizeof text, "@%d\r\n", number);
        break;
    case Dialect::Italian:
        std::snprintf(text, sizeof text, "@%02d0\r\n", number % 100);
        break;
    case Dialect::P3: // a decoder of its own
        return {};
    }
    return text;
}

std::string SimDecoder::due(double now) {
    std::string out;
    // The System 20 family reports its clock every second.
    if (settings_.dialect == Dialect::System20 || settings_.dialect == Dialect::Ex20) {
        while (clock(now) >= nextClockSecond_) {
            const int s = nextClockSecond_++;
            char text[32];
            std::snprintf(text, sizeof text, "@00%02d%02d%02d\r\n", s / 3600 % 100, s / 60 % 60,
                          s % 60);
            out += text;
        }
    }
    if (settings_.dialect == Dialect::Ambrc && settings_.noiseEvery > 0 && now >= nextNoise_) {
        std::uniform_int_distribution<int> noise(10, 40);
        out += "\x01#\t" + std::to_string(settings_.decoderId) + "\t0\t" +
               std::to_string(noise(random_)) + "\r\n";
        nextNoise_ = now + settings_.noiseEvery;
    }
    // Crossings in time order, however many fell due since the last call.
    while (const std::optional<SimCrossing> crossing = track_.nextDue(now))
        out += passing(crossing->number, clock(crossing->time));
    return out;
}

std::string SimDecoder::receive(int /*link*/, std::string_view bytes, double now) {
    std::string replies;
    for (char c : bytes) {
        if (c == '\n') continue;
        if (c != '\r') {
            if (received_.size() < 256) received_.push_back(c);
            continue;
        }
        std::string line;
        line.swap(received_);
        if (settings_.dialect != Dialect::Ambrc || line.empty() || line[0] != '\x01') continue;
        replies += command(std::string_view(line).substr(1), now);
    }
    return replies;
}

std::string SimDecoder::command(std::string_view text, double now) {
    const std::string id = std::to_string(settings_.decoderId);
    if (text.empty()) {
        note("empty command: identity " + id);
        return "\x01$\t" + id + "\t0\t0\r\n";
    }
    // "?," identity, 0, command number, parameters, each followed by ",".
    std::vector<std::string> items;
    std::string item;
    for (char c : text) {
        if (c == ',') {
            items.push_back(item);
            item.clear();
        } else {
            item.push_back(c);
        }
    }
    if (items.size() < 4 || items[0] != "?") return {};
    const std::string& number = items[3];
    std::string parameters;
    for (size_t i = 4; i < items.size(); ++i) parameters += (i > 4 ? "," : "") + items[i];
    note("command " + number + (parameters.empty() ? "" : " (" + parameters + ")"));
    if (number == "24" || number == "11") restartClock(now);
    if (number == "33")
        return "\x01$\t" + id +
               "\t0\t33\t\"Vexa decoder simulator\"\t\"1.0\"\t\"2026-01-01\"\t"
               "\"12:00:00\"\t\"3\"\r\n";
    return "\x01$\t" + id + "\t0\t" + number + "\r\n";
}

} // namespace vexa::sim
