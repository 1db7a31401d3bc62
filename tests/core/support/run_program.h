#pragma once

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace vexa::test {

// Runs a command line ("PROGRAM" ARGUMENTS, quoted as a shell reads them) with both output
// streams written into `outFile`, and returns its status as std::system gives it. On Windows the
// program is started directly rather than through cmd.exe, which under Wine now and then fails to
// find a program it has just started.
inline int runProgram(const std::string& commandLine, const std::filesystem::path& outFile) {
#ifdef _WIN32
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out = CreateFileW(outFile.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out;
    start.hStdError = out;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                        &process)) {
        CloseHandle(out);
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(out);
    return static_cast<int>(code);
#else
    const std::string command = commandLine + " > \"" + outFile.string() + "\" 2>&1";
    return std::system(command.c_str());
#endif
}

} // namespace vexa::test
