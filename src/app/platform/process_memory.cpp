#include "platform/process_memory.h"

#if defined(_WIN32)
#include <psapi.h>
#include <windows.h>
#elif defined(__linux__)
#include <fstream>
#include <unistd.h>
#endif

namespace vexa {

size_t residentMemoryBytes() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize;
#elif defined(__linux__)
    std::ifstream statm("/proc/self/statm");
    size_t total = 0;
    size_t resident = 0;
    if (!(statm >> total >> resident)) return 0;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
#else
    return 0;
#endif
}

} // namespace vexa
