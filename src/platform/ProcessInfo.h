#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// System memory status, in bytes, read from /proc/meminfo.
struct MemoryStatus {
    uint32_t recordSize = 32;
    int64_t memoryLoadPercent = 0;
    int64_t totalPhysical = 0;
    int64_t totalPageFile = 0;     // physical memory plus swap: what may be committed
    int64_t availablePageFile = 0; // available memory plus free swap
    int64_t totalVirtual = 0;      // the process's user address space
    int64_t availableVirtual = 0;  // that space less the process's mapped size
};

// The process's memory counters, in bytes, read from /proc/self/status and
// getrusage. Linux charges no pageable kernel pool to a process, so the paged
// pool counters are 0; the non-paged pool is the process's page tables.
struct ProcessCounters {
    int64_t workingSet = 0;
    int64_t peakWorkingSet = 0;
    int64_t nonPagedPool = 0;
    int64_t peakNonPagedPool = 0;
    int64_t pagedPool = 0;
    int64_t peakPagedPool = 0;
    int64_t pageFaults = 0;
    int64_t pageFileUsage = 0; // private memory: anonymous resident plus swapped out
    int64_t peakPageFileUsage = 0;
};

MemoryStatus readMemoryStatus();
std::optional<ProcessCounters> readProcessCounters();
int64_t currentProcessId();
int64_t currentThreadId();

// One line describing the operating system, in the form
// "<name> (Build <n>: <detail>)", e.g.
// "Debian GNU/Linux 12 (bookworm) (Build 1: Linux 6.1.0-18-amd64)".
std::string operatingSystemLine();

} // namespace orv
