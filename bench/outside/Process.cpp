// Programs under test started with posix_spawn and read through /proc/PID, all of their threads counted.
#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace {
std::int64_t statusField(const std::filesystem::path& status, const std::string& name)
{
    std::ifstream in(status);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(name + ":", 0) == 0)
            return std::stoll(line.substr(name.size() + 1));
    return 0;
}

std::filesystem::path procDir(pid_t pid) { return std::filesystem::path("/proc") / std::to_string(pid); }
}

CpuUse operator-(const CpuUse& later, const CpuUse& earlier)
{
    return {later.nanoseconds - earlier.nanoseconds, later.voluntarySwitches - earlier.voluntarySwitches};
}

Process::Process(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp(&m_pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        throw std::runtime_error("cannot start " + argv[0]);
    m_pidfd = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
    if (m_pidfd < 0)
        throw std::runtime_error("cannot watch " + argv[0] + " for its exit");
}

Process::~Process()
{
    if (!m_reaped) {
        kill(m_pid, SIGTERM);
        waitForExit();
    }
    close(m_pidfd);
}

int Process::waitForExit()
{
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_reaped = true;
    return status;
}

// Summed over /proc/PID/task, since the toolkit reads X events on a thread of its own.
CpuUse Process::cpuUse() const
{
    CpuUse use;
    for (const auto& task : std::filesystem::directory_iterator(procDir(m_pid) / "task")) {
        std::ifstream schedstat(task.path() / "schedstat");
        std::int64_t onCpu = 0;
        schedstat >> onCpu;
        use.nanoseconds += onCpu;
        use.voluntarySwitches += statusField(task.path() / "status", "voluntary_ctxt_switches");
    }
    return use;
}

std::int64_t Process::peakResidentKiB() const { return statusField(procDir(m_pid) / "status", "VmHWM"); }
