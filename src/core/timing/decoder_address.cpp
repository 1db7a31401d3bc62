#include "timing/decoder_address.h"

#include "timing/record_fields.h"

namespace vexa {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<uint16_t> portNumber(std::string_view text) {
    if (!allDigits(text) || text.size() > 5) return std::nullopt;
    const int32_t port = *wholeNumber(text);
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<uint16_t>(port);
}

} // namespace

std::optional<DecoderAddress> parseDecoderAddress(std::string_view text, uint16_t defaultPort) {
    text = trimmed(text);
    DecoderAddress address;
    address.port = defaultPort;
    if (text.starts_with('[')) {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') return std::nullopt;
            const std::optional<uint16_t> port = portNumber(rest.substr(1));
            if (!port) return std::nullopt;
            address.port = *port;
        }
    } else if (const size_t colon = text.find(':');
               colon != std::string_view::npos &&
               text.find(':', colon + 1) == std::string_view::npos) {
        address.host = std::string(text.substr(0, colon));
        const std::optional<uint16_t> port = portNumber(text.substr(colon + 1));
        if (!port) return std::nullopt;
        address.port = *port;
    } else {
        address.host = std::string(text);
    }
    if (address.host.empty()) return std::nullopt;
    return address;
}

} // namespace vexa
