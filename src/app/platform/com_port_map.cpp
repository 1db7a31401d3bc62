#include "platform/com_port_map.h"

#include "files/file_io.h"
#include "settings/ini_file.h"

namespace vexa {

ComPortMap::ComPortMap() {
    for (int n = 1; n <= Ports; ++n) {
#ifdef Q_OS_WIN
        devices_[static_cast<size_t>(n)] = QStringLiteral("COM%1").arg(n);
#else
        devices_[static_cast<size_t>(n)] = QStringLiteral("/dev/ttyS%1").arg(n - 1);
#endif
    }
}

void ComPortMap::load(const std::filesystem::path& file) {
    const auto bytes = readWholeFile(file);
    if (!bytes) return;
    const IniFile ini = IniFile::parse(std::string(bytes->begin(), bytes->end()));
    for (int n = 1; n <= Ports; ++n) {
        const auto value = ini.value("PORTS", "COM" + std::to_string(n));
        if (value && !value->empty()) setDevice(n, QString::fromLocal8Bit(value->c_str()));
    }
}

QString ComPortMap::device(int com) const {
    if (com < 1 || com > Ports) return {};
    return devices_[static_cast<size_t>(com)];
}

void ComPortMap::setDevice(int com, const QString& device) {
    if (com >= 1 && com <= Ports) devices_[static_cast<size_t>(com)] = device;
}

} // namespace vexa
