// Preloaded (LD_PRELOAD) into a program under test, this library stands between the program and
// the system's rename and fsync:
//   VEXA_FILE_CALLS_LOG=FILE   appends "rename FROM TO" and "fsync PATH" to FILE, one line each;
//   VEXA_KILL_AFTER_RENAMES=N  kills the program (SIGKILL, as kill -9 or a power cut would stop
//                              it) right after its N-th successful rename.
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace {

template <typename Fn> Fn real(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

void logLine(const char* what, const char* a, const char* b) {
    const char* file = getenv("VEXA_FILE_CALLS_LOG");
    if (!file) return;
    const int fd = open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char line[3 * PATH_MAX + 16];
    const int n = snprintf(line, sizeof line, b ? "%s %s %s\n" : "%s %s\n", what, a, b);
    if (n > 0) write(fd, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
    close(fd);
}

} // namespace

extern "C" int rename(const char* from, const char* to) {
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    static long left =
        getenv("VEXA_KILL_AFTER_RENAMES") ? atol(getenv("VEXA_KILL_AFTER_RENAMES")) : 0;
    const int result = next(from, to);
    logLine("rename", from, to);
    if (result == 0 && left > 0 && --left == 0) raise(SIGKILL);
    return result;
}

extern "C" int fsync(int fd) {
    static const auto next = real<int (*)(int)>("fsync");
    char link[64];
    char path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 0] = '\0';
    const int result = next(fd);
    if (result == 0) logLine("fsync", path, nullptr);
    return result;
}
