#include "base/latin1_path.h"

namespace vexa {

std::filesystem::path latin1Path(const std::string& name) {
    std::u32string wide;
    for (char c : name) wide += static_cast<char32_t>(static_cast<unsigned char>(c));
    return std::filesystem::path(wide);
}

} // namespace vexa
