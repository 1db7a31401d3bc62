#include "timing/decoder_commands.h"

namespace vexa {

std::string ambrcCommandText(int32_t decoderId, int command,
                             std::initializer_list<int> parameters) {
    std::string text = "?," + std::to_string(decoderId) + ",0," + std::to_string(command) + ",";
    for (int p : parameters) text += std::to_string(p) + ",";
    return text;
}

std::string frameDecoderCommand(const std::string& text) {
    return "\x01" + text + "\r\n";
}

std::string emptyDecoderCommand() {
    return frameDecoderCommand({});
}

} // namespace vexa
