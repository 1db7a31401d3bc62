// Preloaded (LD_PRELOAD) into a program under test, this library stands between the program and
// the system's rename and fsync:
//   VEXA_FILE_CALLS_LOG=FILE   appends "rename FROM TO" and "fsync PATH" to FILE, one line each;
//   VEXA_KILL_AFTER_RENAMES=N  kills the program (SIGKILL, as kill -9 or a power cut would stop
//                              it) right after its N-th successful rename;
//   VEXA_FILE_READS_LOG=FILE   appends "read PATH N" to FILE for each read of N bytes from a
//                              file whose name ends with ".journal";
//   VEXA_KILL_IN_FILE=NAME     with VEXA_KILL_AT_WRITE=N: kills the program at its N-th write
//                              to the file named NAME (the name without its folder): after the
//                              write, or with VEXA_KILL_TORN=1 after the first half of its bytes
//                              only (the program stopped in the middle of it).
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

template <typename Fn> Fn real(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

void logTo(const char* file, const char* what, const char* a, const char* b) {
    if (!file) return;
    const int fd = open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char line[3 * PATH_MAX + 16];
    const int n = snprintf(line, sizeof line, b ? "%s %s %s\n" : "%s %s\n", what, a, b);
    if (n > 0) write(fd, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
    close(fd);
}

void logLine(const char* what, const char* a, const char* b) {
    logTo(getenv("VEXA_FILE_CALLS_LOG"), what, a, b);
}

// The path of an open file, "" when it cannot be told.
void pathOf(int fd, char (&path)[PATH_MAX]) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 0] = '\0';
}

// Whether this write is the one to stop at: the N-th to the file VEXA_KILL_IN_FILE names.
bool killAtThisWrite(int fd) {
    const char* name = getenv("VEXA_KILL_IN_FILE");
    static long left = getenv("VEXA_KILL_AT_WRITE") ? atol(getenv("VEXA_KILL_AT_WRITE")) : 0;
    if (!name || left <= 0) return false;
    char path[PATH_MAX];
    pathOf(fd, path);
    const char* slash = strrchr(path, '/');
    if (strcmp(slash ? slash + 1 : path, name) != 0) return false;
    return --left == 0;
}

bool torn() {
    const char* value = getenv("VEXA_KILL_TORN");
    return value && strcmp(value, "1") == 0;
}

} // namespace

extern "C" ssize_t read(int fd, void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, void*, size_t)>("read");
    const ssize_t n = next(fd, data, size);
    const char* log = getenv("VEXA_FILE_READS_LOG");
    if (log && n > 0) {
        char path[PATH_MAX];
        pathOf(fd, path);
        const size_t length = strlen(path);
        if (length > 8 && strcmp(path + length - 8, ".journal") == 0) {
            char count[32];
            snprintf(count, sizeof count, "%zd", n);
            logTo(log, "read", path, count);
        }
    }
    return n;
}

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (!killAtThisWrite(fd)) return next(fd, data, size);
    next(fd, data, torn() ? size / 2 : size);
    raise(SIGKILL);
    return -1;
}

extern "C" ssize_t writev(int fd, const struct iovec* parts, int count) {
    static const auto next = real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (!killAtThisWrite(fd)) return next(fd, parts, count);
    static const auto nextWrite = real<ssize_t (*)(int, const void*, size_t)>("write");
    size_t total = 0;
    for (int i = 0; i < count; ++i) total += parts[i].iov_len;
    size_t left = torn() ? total / 2 : total;
    for (int i = 0; i < count && left > 0; ++i) {
        const size_t n = parts[i].iov_len < left ? parts[i].iov_len : left;
        nextWrite(fd, parts[i].iov_base, n);
        left -= n;
    }
    raise(SIGKILL);
    return -1;
}

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
    char path[PATH_MAX];
    pathOf(fd, path);
    const int result = next(fd);
    if (result == 0) logLine("fsync", path, nullptr);
    return result;
}
