#include "cli_options.h"

#include "base/whole_number.h"
#include "settings/ini_file.h"

namespace vexa::cli {

CliOptions::CliOptions(const std::vector<std::string>& words, const std::set<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0) {
            words_.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        seen_.insert(name);
        if (flags.count(name)) continue;
        if (i + 1 >= words.size()) {
            error_ = "The option " + word + " needs a value";
            return;
        }
        values_[name] = words[++i];
    }
}

bool CliOptions::has(const std::string& name) const {
    return seen_.count(name) > 0;
}

std::optional<std::string> CliOptions::value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

int CliOptions::number(const std::string& name, int fallback) {
    const std::optional<std::string> text = value(name);
    if (!text) return fallback;
    const std::optional<int> parsed = parseWholeNumber(*text);
    if (!parsed) {
        if (error_.empty()) error_ = "The option --" + name + " needs a whole number";
        return fallback;
    }
    return *parsed;
}

} // namespace vexa::cli
