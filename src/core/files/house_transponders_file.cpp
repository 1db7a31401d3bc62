#include "files/house_transponders_file.h"

#include "base/whole_number.h"
#include "files/file_io.h"

#include <algorithm>
#include <sstream>

namespace vexa {

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A loan's keys as read, complete or not.
struct LoanKeys {
    std::optional<std::string> event;
    std::optional<int> id;
    std::string driver;
    int32_t own = 0;

    std::optional<TransponderLoan> loan() const {
        if (!event || event->empty() || !id || *id < 1) return std::nullopt;
        return TransponderLoan{*event, *id, driver, own};
    }
};

// A value on one line: a line break typed into it would start a key of its own.
std::string oneLine(std::string value) {
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return value;
}

} // namespace

std::string houseTransponderText(const HouseTransponders& list) {
    std::string text;
    for (const HouseTransponder& t : list) {
        text += "[" + std::to_string(t.number) + "]\r\nLabel=" + oneLine(t.label) + "\r\n";
        if (const auto& loan = t.loan)
            text += "Event=" + oneLine(loan->event) + "\r\nDriver=" + std::to_string(loan->id) +
                    "\r\nName=" + oneLine(loan->driver) + "\r\nOwn=" + std::to_string(loan->own) +
                    "\r\n";
    }
    return text;
}

HouseTransponders readHouseTransponders(const std::string& text) {
    HouseTransponders list;
    std::optional<HouseTransponder> current;
    LoanKeys loan;
    const auto finish = [&] {
        if (!current) return;
        current->loan = loan.loan();
        const int32_t number = current->number;
        if (std::none_of(list.begin(), list.end(),
                         [number](const HouseTransponder& t) { return t.number == number; }))
            list.push_back(std::move(*current));
        current.reset();
        loan = {};
    };
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (!line.empty() && line.front() == '[') {
            finish();
            const size_t close = line.find(']');
            const auto number = parseWholeNumber(
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (close != std::string::npos && number && *number > 0)
                current = HouseTransponder{*number, {}, std::nullopt};
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string::npos) continue;
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (key == "Label")
            current->label = value;
        else if (key == "Event")
            loan.event = value;
        else if (key == "Driver")
            loan.id = parseWholeNumber(value);
        else if (key == "Name")
            loan.driver = value;
        else if (key == "Own")
            loan.own = parseWholeNumber(value).value_or(0);
    }
    finish();
    std::sort(list.begin(), list.end(), [](const HouseTransponder& a, const HouseTransponder& b) {
        return a.number < b.number;
    });
    return list;
}

HouseTransponders loadHouseTransponders(const std::filesystem::path& path) {
    const auto bytes = readWholeFile(path);
    if (!bytes) return {};
    return readHouseTransponders(std::string(bytes->begin(), bytes->end()));
}

Outcome saveHouseTransponders(const std::filesystem::path& path, const HouseTransponders& list) {
    return writeFileAtomic(path, houseTransponderText(list));
}

} // namespace vexa
