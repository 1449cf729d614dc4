#include "platform/ProcessInfo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace orv {

namespace {

// Reads "Key:   1234 kB" lines into bytes.
std::map<std::string, int64_t> readKilobyteTable(const char* path)
{
    std::map<std::string, int64_t> table;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::istringstream value(line.substr(colon + 1));
        int64_t number = 0;
        std::string unit;
        if (!(value >> number))
            continue;
        value >> unit;
        table[line.substr(0, colon)] = unit == "kB" ? number * 1024 : number;
    }
    return table;
}

int64_t valueOr(const std::map<std::string, int64_t>& table, const char* key, int64_t fallback = 0)
{
    auto it = table.find(key);
    return it == table.end() ? fallback : it->second;
}

std::string osReleaseName()
{
    std::ifstream in("/etc/os-release");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("PRETTY_NAME=", 0) == 0) {
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return "Linux";
}

} // namespace

MemoryStatus readMemoryStatus()
{
    auto info = readKilobyteTable("/proc/meminfo");
    auto self = readKilobyteTable("/proc/self/status");
    MemoryStatus status;
    status.totalPhysical = valueOr(info, "MemTotal");
    const int64_t available = valueOr(info, "MemAvailable", valueOr(info, "MemFree"));
    if (status.totalPhysical > 0)
        status.memoryLoadPercent = (status.totalPhysical - available) * 100 / status.totalPhysical;
    status.totalPageFile = status.totalPhysical + valueOr(info, "SwapTotal");
    status.availablePageFile = available + valueOr(info, "SwapFree");
    // x86-64 and AArch64 give a process 47 bits of user address space.
    status.totalVirtual = sizeof(void*) == 8 ? (int64_t(1) << 47) : (int64_t(3) << 30);
    status.availableVirtual = status.totalVirtual - valueOr(self, "VmSize");
    return status;
}

std::optional<ProcessCounters> readProcessCounters()
{
    auto self = readKilobyteTable("/proc/self/status");
    if (self.empty())
        return std::nullopt;
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return std::nullopt;
    ProcessCounters counters;
    counters.workingSet = valueOr(self, "VmRSS");
    counters.peakWorkingSet = valueOr(self, "VmHWM");
    counters.nonPagedPool = valueOr(self, "VmPTE");
    counters.peakNonPagedPool = counters.nonPagedPool;
    counters.pageFaults = usage.ru_minflt + usage.ru_majflt;
    counters.pageFileUsage = valueOr(self, "RssAnon") + valueOr(self, "VmSwap");
    counters.peakPageFileUsage = counters.pageFileUsage;
    return counters;
}

int64_t currentProcessId()
{
    return static_cast<int64_t>(getpid());
}

int64_t currentThreadId()
{
    return static_cast<int64_t>(syscall(SYS_gettid));
}

std::string operatingSystemLine()
{
    utsname names{};
    if (uname(&names) != 0)
        return osReleaseName();
    // The kernel's build number is the "#n" that starts its version text.
    int build = 0;
    if (names.version[0] == '#')
        build = std::atoi(names.version + 1);
    return osReleaseName() + " (Build " + std::to_string(build) + ": " + names.sysname + " " + names.release + ")";
}

} // namespace orv
