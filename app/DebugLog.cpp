#include "app/DebugLog.h"

#include <algorithm>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

DebugLog& DebugLog::instance()
{
    static DebugLog log;
    return log;
}

DebugLog::DebugLog(std::string fileName, Clock clock) : fileName_(std::move(fileName)), clock_(clock)
{
}

DebugLog::~DebugLog()
{
    if (file_ != nullptr) std::fclose(file_);
}

std::tm DebugLog::localNow()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? *local : std::tm();
}

void DebugLog::Write(const char* sourceFile, int line, const char* format, ...)
{
    if (file_ == nullptr) open();
    if (file_ != nullptr) std::fprintf(file_, "%s(%d):{%d} ", sourceFile, line, sequence_);

    va_list args;
    va_start(args, format);
    writeMessage(format, args);
    va_end(args);

    put("\r\n", 2);
    flushToDisk();
    ++sequence_;
}

// Creates the file (emptying an old one); others may read it while we write.
void DebugLog::open()
{
#ifdef _WIN32
    file_ = _fsopen(fileName_.c_str(), "wb", _SH_DENYWR);
#else
    file_ = std::fopen(fileName_.c_str(), "wb");
#endif
    if (file_ == nullptr) return;
    const std::tm now = clock_();
    std::fprintf(file_, "LogFile %02d/%02d/%02d %02d:%02d:%02d\r\n", now.tm_mon + 1, now.tm_mday,
                 now.tm_year % 100, now.tm_hour, now.tm_min, now.tm_sec);
}

void DebugLog::writeMessage(const char* format, va_list args)
{
    // One byte more than the limit for the terminator, so a long message keeps all 2048 bytes.
    char message[MessageLimit + 1];
    const int length = std::vsnprintf(message, sizeof message, format, args);
    if (length > 0) put(message, std::min(static_cast<size_t>(length), MessageLimit));
}

void DebugLog::put(const char* text, size_t length)
{
    if (file_ != nullptr) std::fwrite(text, 1, length, file_);
}

void DebugLog::flushToDisk()
{
    if (file_ == nullptr) return;
    std::fflush(file_);
#ifdef _WIN32
    _commit(_fileno(file_));
#else
    fsync(fileno(file_));
#endif
}
