#include "geometry/DiagLog.h"

#include "geometry/TickCount.h"

#include <cstdarg>
#include <ctime>
#include <mutex>

namespace {
std::mutex g_logMutex;
std::FILE* g_logFile = nullptr;
}  // namespace

bool DiagLogOpen(const std::string& path)
{
    const std::lock_guard lock(g_logMutex);
    if (g_logFile != nullptr) {
        std::fclose(g_logFile);
    }
    g_logFile = std::fopen(path.c_str(), "a");
    return g_logFile != nullptr;
}

void DiagLogClose()
{
    const std::lock_guard lock(g_logMutex);
    if (g_logFile != nullptr) {
        std::fclose(g_logFile);
        g_logFile = nullptr;
    }
}

bool DiagLogIsOpen()
{
    const std::lock_guard lock(g_logMutex);
    return g_logFile != nullptr;
}

void DiagLog(const char* format, ...)
{
    const std::lock_guard lock(g_logMutex);
    if (g_logFile == nullptr) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::fprintf(g_logFile, "[%02d:%02d:%02d - %d]", local.tm_hour, local.tm_min, local.tm_sec,
                 static_cast<int>(GetTickCount()));
    va_list args;
    va_start(args, format);
    std::vfprintf(g_logFile, format, args);
    va_end(args);
    std::fputc('\n', g_logFile);
    std::fflush(g_logFile);
}
