#pragma once

#include <cstdint>

// Milliseconds from a steady clock, truncated to 32 bits like a system tick
// count: it wraps after about 49.7 days, so differences must be taken as
// unsigned 32-bit values.
std::uint32_t GetTickCount();
