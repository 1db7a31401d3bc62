#include "output/output_identity.h"

#include "files/file_io.h"

namespace vexa {

std::string OutputIdentity::webAddressWithoutScheme() const {
    const size_t mark = webAddress.find("://");
    return mark == std::string::npos ? webAddress : webAddress.substr(mark + 3);
}

OutputIdentity loadOutputIdentity(const IniFile& ini) {
    OutputIdentity identity;
    const auto take = [&](const char* key, std::string& field) {
        const std::optional<std::string> value = ini.value(OutputIdentitySection, key);
        if (value && !value->empty()) field = *value;
    };
    take("WEB ADDRESS", identity.webAddress);
    take("COPYRIGHT", identity.copyright);
    take("TRACK NAME", identity.trackName);
    return identity;
}

OutputIdentity loadOutputIdentity(const std::filesystem::path& iniPath) {
    const auto bytes = readWholeFile(iniPath);
    if (!bytes) return {};
    return loadOutputIdentity(IniFile::parse(std::string(bytes->begin(), bytes->end())));
}

} // namespace vexa
