#include "output_commands.h"
#include "pdf_output.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

struct Subcommand {
    const char* name;
    int (*run)(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
    const char* const* usage;
};

const Subcommand Subcommands[] = {
    {"report", vexa::cli::reportCommand, &vexa::cli::ReportUsage},
    {"html", vexa::cli::htmlCommand, &vexa::cli::HtmlUsage},
};

int usage(std::ostream& err) {
    err << "usage: vexa-cli COMMAND [options]\n";
    for (const Subcommand& command : Subcommands) err << "\n" << *command.usage;
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return usage(std::cerr);
    const std::string name = argv[1];
    const std::vector<std::string> words(argv + 2, argv + argc);
    for (const Subcommand& command : Subcommands) {
        if (name != command.name) continue;
        const int code = command.run(words, std::cout, std::cerr);
        vexa::cli::releasePdfOutput();
        return code;
    }
    if (name == "--help" || name == "help") {
        usage(std::cout);
        return 0;
    }
    return usage(std::cerr);
}
