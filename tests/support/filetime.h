#pragma once

#include <windows.h>

// A FILETIME as one count of 100 ns units, for comparing and subtracting times.
inline unsigned long long Ticks(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

constexpr unsigned long long kTicksPerMs = 10000;
