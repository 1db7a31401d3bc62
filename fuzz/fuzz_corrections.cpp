// The corrections kept beside a race journal: whatever the text, each correction read is one a
// command line could give, and written out again it reads back the same.
#include "fuzz_check.h"

#include "journal/race_corrections.h"

#include <sstream>
#include <string>

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<Correction> read = readCorrections(text);
    std::string again;
    for (const Correction& c : read) {
        require(c.car >= 1, "a correction names a car");
        std::istringstream words(correctionText(c));
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        std::string error;
        const auto parsed = parseCorrection(w, error);
        require(parsed.has_value(), "a correction's text is a correction");
        require(correctionText(*parsed) == correctionText(c), "a correction reads back the same");
        again += correctionText(c) + "\n";
    }
    const std::vector<Correction> second = readCorrections(again);
    require(second.size() == read.size(), "written out, every correction is read again");
    return 0;
}
