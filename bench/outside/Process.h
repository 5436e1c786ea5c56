// A program under test seen from outside: started and stopped by us, its CPU, wake-ups and memory read from /proc.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct CpuUse {
    std::int64_t nanoseconds = 0;
    // Each time a thread blocks of its own accord it must have been woken to run: a count of wake-ups.
    std::int64_t voluntarySwitches = 0;
};

CpuUse operator-(const CpuUse& later, const CpuUse& earlier);

class Process {
public:
    // Standard output and error go to /dev/null: the programs' chatter is not what is measured.
    explicit Process(const std::vector<std::string>& argv);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Readable once the program has ended, to wait on beside the X connection.
    int exitFd() const { return m_pidfd; }
    int waitForExit();

    CpuUse cpuUse() const;
    std::int64_t peakResidentKiB() const;

private:
    pid_t m_pid = -1;
    int m_pidfd = -1;
    bool m_reaped = false;
};
