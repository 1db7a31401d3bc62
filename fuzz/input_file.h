#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vexa::fuzz {

// The file through which a target hands its input to a reader that takes a path. One folder per
// process under the system's temporary folder, made at the first input and reused for every
// input after it; removed when the process ends normally.
class InputFile {
  public:
    // `name` is the file's name inside the folder, e.g. "eventfile.qmf".
    explicit InputFile(const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Replaces the file's content by the input; returns the file's path.
    const std::filesystem::path& write(const uint8_t* data, size_t size);
    const std::filesystem::path& path() const { return path_; }
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

} // namespace vexa::fuzz
