#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vexa::cli {

// Command-line words after the subcommand: "--name value" options, "--flag" switches and plain
// words, in any order.
class CliOptions {
  public:
    // `flags` names the switches that take no value; any other --name takes the next word.
    CliOptions(const std::vector<std::string>& words, const std::set<std::string>& flags);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    // A whole number; the fallback when the option is missing; an error when it is not a number.
    int number(const std::string& name, int fallback);
    const std::vector<std::string>& words() const { return words_; }

  private:
    std::map<std::string, std::string> values_;
    std::set<std::string> seen_;
    std::vector<std::string> words_;
    std::string error_;
};

} // namespace vexa::cli
