#pragma once

// Happens-before marks for ThreadSanitizer where the canvas hands an object
// to another thread through Qt. Qt's queues lock with futexes in uninstrumented
// code, so the sanitizer cannot see that everything written before a task is
// queued is visible to the thread that runs it. HandOff goes right before the
// hand-off, TakeOver first thing on the receiving thread, both on the same
// address. Without the sanitizer both are empty.
#if defined(KOLVANE_THREAD_SANITIZER)
#include <sanitizer/tsan_interface.h>

inline void HandOff(const void* key) { __tsan_release(const_cast<void*>(key)); }
inline void TakeOver(const void* key) { __tsan_acquire(const_cast<void*>(key)); }
#else
inline void HandOff(const void*) {}
inline void TakeOver(const void*) {}
#endif
