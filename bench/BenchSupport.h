#pragma once

#include "platform/ProcessInfo.h"

namespace orv::bench {

// The process's peak working set so far, in megabytes.
inline double peakMegabytes()
{
    const auto counters = readProcessCounters();
    return counters ? static_cast<double>(counters->peakWorkingSet) / (1 << 20) : 0;
}

} // namespace orv::bench
