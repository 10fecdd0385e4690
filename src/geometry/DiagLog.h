#pragma once

#include <cstdio>
#include <string>

// Diagnostic log. Closed unless a path is opened; while closed every
// DiagLog() call does nothing. Each line starts "[hh:mm:ss - ms]" (local
// time, then the tick count) and is flushed at once. Safe to call from the
// ink-stroke worker threads.
bool DiagLogOpen(const std::string& path);
void DiagLogClose();
bool DiagLogIsOpen();
void DiagLog(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
