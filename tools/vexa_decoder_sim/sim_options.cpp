#include "sim_options.h"

#include <cstdlib>
#include <string_view>

namespace vexa::sim {

namespace {

bool toNumber(const std::string& text, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

bool toWhole(const std::string& text, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0';
}

} // namespace

std::optional<SimOptions> parseSimOptions(int argc, char** argv, std::string& error) {
    SimOptions o;
    int cars = 4;
    std::string numbers;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string v;
        double d = 0;
        long n = 0;
        if (arg == "--pty") {
            o.pty = true;
        } else if (arg == "--stamp") {
            o.decoder.stamp = true;
        } else if (arg == "--quiet") {
            o.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
            return o;
        } else if (arg == "--version") {
            o.version = true;
            return o;
        } else if (arg == "--dialect") {
            if (!value(v)) return std::nullopt;
            if (v == "ambrc")
                o.decoder.dialect = Dialect::Ambrc;
            else if (v == "s20")
                o.decoder.dialect = Dialect::System20;
            else if (v == "ex20")
                o.decoder.dialect = Dialect::Ex20;
            else if (v == "italian")
                o.decoder.dialect = Dialect::Italian;
            else if (v == "p3")
                o.decoder.dialect = Dialect::P3;
            else {
                error = "unknown dialect " + v;
                return std::nullopt;
            }
        } else if (arg == "--tcp") {
            if (!value(v) || !toWhole(v, n) || n < 0 || n > 65535) {
                error = "--tcp needs a port 0..65535";
                return std::nullopt;
            }
            o.tcpPort = static_cast<int>(n);
        } else if (arg == "--cars") {
            if (!value(v) || !toWhole(v, n) || n < 0 || n > 200) {
                error = "--cars needs 0..200";
                return std::nullopt;
            }
            cars = static_cast<int>(n);
        } else if (arg == "--numbers") {
            if (!value(numbers)) return std::nullopt;
        } else if (arg == "--lap" || arg == "--spread" || arg == "--noise" || arg == "--duration" ||
                   arg == "--drop-every" || arg == "--down") {
            if (!value(v) || !toNumber(v, d) || d < 0) {
                error = std::string(arg) + " needs a number of seconds";
                return std::nullopt;
            }
            if (arg == "--lap") o.decoder.lapSeconds = d;
            if (arg == "--spread") o.decoder.spreadSeconds = d;
            if (arg == "--noise") o.decoder.noiseEvery = d;
            if (arg == "--duration") o.duration = d;
            if (arg == "--drop-every") o.dropEvery = d;
            if (arg == "--down") o.down = d;
        } else if (arg == "--hits") {
            if (!value(v)) return std::nullopt;
            const size_t dash = v.find('-');
            long low = 0, high = 0;
            if (!toWhole(v.substr(0, dash), low) ||
                !toWhole(dash == std::string::npos ? v : v.substr(dash + 1), high) || low < 0 ||
                high < low) {
                error = "--hits needs LOW or LOW-HIGH";
                return std::nullopt;
            }
            o.decoder.hitsLow = static_cast<int>(low);
            o.decoder.hitsHigh = static_cast<int>(high);
        } else if (arg == "--id" || arg == "--seed") {
            if (!value(v) || !toWhole(v, n)) {
                error = std::string(arg) + " needs a whole number";
                return std::nullopt;
            }
            if (arg == "--id")
                o.decoder.decoderId = static_cast<int32_t>(n);
            else
                o.decoder.seed = static_cast<unsigned>(n);
        } else {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
    }
    const bool p3 = o.decoder.dialect == Dialect::P3;
    if (o.tcpPort >= 0 && o.decoder.dialect != Dialect::Ambrc && !p3) {
        error = "only AMBrc and P3 are reached over TCP";
        return std::nullopt;
    }
    if (o.pty && p3) {
        error = "P3 is reached over TCP only";
        return std::nullopt;
    }
    if (o.tcpPort < 0 && !o.pty) {
        error = "choose --tcp PORT and/or --pty";
        return std::nullopt;
    }
    if (!numbers.empty()) {
        size_t start = 0;
        while (start <= numbers.size()) {
            const size_t comma = numbers.find(',', start);
            const std::string item = numbers.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start);
            long n = 0;
            if (!toWhole(item, n)) {
                error = "--numbers needs whole numbers separated by commas";
                return std::nullopt;
            }
            o.decoder.numbers.push_back(static_cast<int32_t>(n));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    } else {
        // AMBrc and P3 transponders are 2100 and above, EX20 transponders 2..65600, the others
        // car numbers.
        const int32_t first = o.decoder.dialect == Dialect::Ambrc || p3 ? 4000001
                              : o.decoder.dialect == Dialect::Ex20      ? 1001
                                                                        : 1;
        for (int i = 0; i < cars; ++i) o.decoder.numbers.push_back(first + i);
    }
    return o;
}

} // namespace vexa::sim
