#include "input_file.h"

#include "fuzz_check.h"

#include <fstream>
#include <random>

namespace vexa::fuzz {

namespace fs = std::filesystem;

InputFile::InputFile(const std::string& name) {
    std::random_device rd;
    folder_ = fs::temp_directory_path() /
              ("vexa-fuzz-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    fs::create_directories(folder_);
    path_ = folder_ / name;
}

InputFile::~InputFile() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

const fs::path& InputFile::write(const uint8_t* data, size_t size) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    require(static_cast<bool>(out), "the input file could be written");
    return path_;
}

} // namespace vexa::fuzz
