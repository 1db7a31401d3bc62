#include "settings/setup_fields.h"

#include "base/whole_number.h"
#include "settings/ini_file.h"

namespace vexa {

Outcome fieldWholeNumber(const std::string& text, int32_t empty, const std::string& field,
                         int32_t& value) {
    if (text.empty()) {
        value = empty;
        return Outcome::success();
    }
    const auto number = parseWholeNumber(text);
    if (!number) return Outcome::failure(field + ": '" + text + "' is not a whole number");
    value = *number;
    return Outcome::success();
}

std::string transponderCellText(int32_t transponder) {
    return transponder == -1 ? std::string() : std::to_string(transponder);
}

Outcome storeTransponderCells(const TransponderCells& cells, int set,
                              std::array<int32_t, MaxSlots + 1>& transponders) {
    std::array<int32_t, MaxSlots + 1> numbers = transponders;
    for (int car = 1; car <= MaxSlots; ++car) {
        const std::string field =
            "Transponder of car " + std::to_string(car) + " in set " + std::to_string(set);
        const Outcome read = fieldWholeNumber(cells[static_cast<size_t>(car)], -1, field,
                                              numbers[static_cast<size_t>(car)]);
        if (!read) return read;
    }
    transponders = numbers;
    return Outcome::success();
}

std::string classDetailsCaption(int classno) {
    return "Race Details (Class:" + std::to_string(classno) + ")";
}

} // namespace vexa
