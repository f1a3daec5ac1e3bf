#pragma once
// Process-wide trace of the import commands, written to "log.txt" in the
// current directory of the moment the first entry is written. Each entry is
// flushed to disk at once, so the trace survives a crash of the program.

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

#if defined(__clang__)
#define RAVLO_PRINTF_FORMAT(formatIndex, firstArg) \
    __attribute__((format(printf, formatIndex, firstArg)))
#else
#define RAVLO_PRINTF_FORMAT(formatIndex, firstArg) \
    __attribute__((format(gnu_printf, formatIndex, firstArg)))
#endif

class DebugLog {
public:
    static constexpr size_t MessageLimit = 2048;
    using Clock = std::tm (*)();

    // The program's log. Tests construct their own with another file name or clock.
    static DebugLog& instance();

    explicit DebugLog(std::string fileName = "log.txt", Clock clock = localNow);
    ~DebugLog();
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    // One entry: "file(line):{sequence} message". Failures are silent.
    void Write(const char* sourceFile, int line, const char* format, ...)
        RAVLO_PRINTF_FORMAT(4, 5);

    static std::tm localNow();

private:
    void open();
    void writeMessage(const char* format, va_list args);
    void put(const char* text, size_t length);
    void flushToDisk();

    std::string fileName_;
    Clock clock_;
    std::FILE* file_ = nullptr;
    int sequence_ = 0;
};

#define DEBUG_LOG(...) DebugLog::instance().Write(__FILE__, __LINE__, __VA_ARGS__)
