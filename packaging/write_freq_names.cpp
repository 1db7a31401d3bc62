// Writes the frequency names a new program home starts with into a frequency names file, for the
// package to ship beside the programs.
// Usage: write_freq_names FILE
#include "files/freq_names_file.h"
#include "program/default_frequencies.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_freq_names FILE\n";
        return 2;
    }
    const vexa::Outcome written = vexa::saveFreqNames(argv[1], vexa::defaultFreqNames());
    if (!written) {
        std::cerr << "write_freq_names: " << written.message << "\n";
        return 1;
    }
    return 0;
}
