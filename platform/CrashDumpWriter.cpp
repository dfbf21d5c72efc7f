#include "platform/CrashDumpWriter.h"

#include "platform/DumpClock.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <exception>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// Local-time changes are read this far ahead; the program may stay in the tray for long.
constexpr int kClockDays = 4 * 366;
constexpr int kMaxFrames = 128;

char g_folder[PATH_MAX];
DumpClock g_clock;
std::atomic<bool> g_dumping{false};
// Used only when the thread that installs has no signal stack of its own yet,
// so a stack overflow can still be reported.
alignas(16) char g_signalStack[128 * 1024];

// Builds one line of the dump without touching the heap.
class Line {
public:
    Line& Text(const char* text)
    {
        while (*text && m_length < kRoom)
            m_data[m_length++] = *text++;
        return *this;
    }

    Line& Decimal(unsigned long long value)
    {
        char digits[24];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0 && m_length < kRoom)
            m_data[m_length++] = digits[--count];
        return *this;
    }

    Line& Hex(unsigned long long value)
    {
        Text("0x");
        char digits[24];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % 16];
            value /= 16;
        } while (value != 0);
        while (count > 0 && m_length < kRoom)
            m_data[m_length++] = digits[--count];
        return *this;
    }

    void WriteTo(int fd)
    {
        m_data[m_length++] = '\n';
        const char* data = m_data;
        size_t left = m_length;
        while (left > 0) {
            const ssize_t written = write(fd, data, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                break;
            data += written;
            left -= static_cast<size_t>(written);
        }
        m_length = 0;
    }

private:
    // One byte stays free for the line end.
    static constexpr size_t kRoom = 511;
    char m_data[kRoom + 1];
    size_t m_length = 0;
};

const char* SignalName(int signal)
{
    switch (signal) {
    case SIGSEGV: return "SIGSEGV (invalid memory access)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGFPE: return "SIGFPE (arithmetic error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGABRT: return "SIGABRT (abort)";
    default: return "unknown signal";
    }
}

// Writes the dump file; `cause` names the signal or std::terminate.
void WriteDump(const char* cause, int signal, const siginfo_t* info, const char* exception)
{
    if (g_folder[0] == '\0')
        return;
    mkdir(g_folder, 0700);

    char name[DumpClock::kNameSize];
    g_clock.Format(time(nullptr), name);
    char path[PATH_MAX];
    const size_t folderLength = strlen(g_folder);
    memcpy(path, g_folder, folderLength);
    path[folderLength] = '/';
    memcpy(path + folderLength + 1, name, DumpClock::kNameSize - 1);
    memcpy(path + folderLength + DumpClock::kNameSize, ".dmp", 5);

    // A dump of the same second is replaced, never mixed with the new one.
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;

    Line line;
    line.Text("Crash dump ").Text(name).WriteTo(fd);
    line.Text("Cause: ").Text(cause).WriteTo(fd);
    line.Text("Signal: ").Decimal(static_cast<unsigned>(signal)).Text(" ").Text(SignalName(signal))
        .WriteTo(fd);
    if (info && info->si_code > 0)
        line.Text("Address: ").Hex(reinterpret_cast<uintptr_t>(info->si_addr)).WriteTo(fd);
    else if (info)
        line.Text("Sent by process: ").Decimal(static_cast<unsigned>(info->si_pid)).WriteTo(fd);
    if (exception)
        line.Text("Exception: ").Text(exception).WriteTo(fd);
    line.Text("Process: ").Decimal(static_cast<unsigned>(getpid())).WriteTo(fd);
    line.Text("Thread: ").Decimal(static_cast<unsigned long long>(syscall(SYS_gettid))).WriteTo(fd);
    line.Text("Backtrace:").WriteTo(fd);

    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    backtrace_symbols_fd(frames, count, fd);
    close(fd);
}

// Only the first fatal error of the process writes; a second thread crashing
// meanwhile waits for the first to end the process.
bool TakeDumpTurn()
{
    if (!g_dumping.exchange(true))
        return true;
    for (int i = 0; i < 100; ++i) {
        const timespec pause{0, 100 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return false;
}

void RestoreDefault(int signal)
{
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

void OnFatalSignal(int signal, siginfo_t* info, void* /*context*/)
{
    const int savedErrno = errno;
    if (TakeDumpTurn())
        WriteDump(SignalName(signal), signal, info, nullptr);
    // Raised again with the default action: it arrives once this handler
    // returns (a fault simply recurs), so the process ends as it would have.
    RestoreDefault(signal);
    raise(signal);
    errno = savedErrno;
}

void OnTerminate()
{
    const char* exception = nullptr;
    if (std::exception_ptr current = std::current_exception()) {
        exception = "not derived from std::exception";
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& error) {
            exception = error.what();
        } catch (...) {
        }
    }
    if (TakeDumpTurn())
        WriteDump("std::terminate", SIGABRT, nullptr, exception);
    RestoreDefault(SIGABRT);
    sigset_t abortOnly;
    sigemptyset(&abortOnly);
    sigaddset(&abortOnly, SIGABRT);
    pthread_sigmask(SIG_UNBLOCK, &abortOnly, nullptr);
    abort();
}

} // namespace

bool CrashDumpWriter::Install(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    // Room for "/", the name and ".dmp" behind the folder.
    if (path.size() + 1 + DumpClock::kNameSize + 4 > static_cast<int>(sizeof g_folder))
        return false;
    memcpy(g_folder, path.constData(), static_cast<size_t>(path.size()) + 1);

    g_clock.Capture(time(nullptr), kClockDays);

    // The first backtrace loads the unwinder, which allocates: do it now.
    void* frames[2];
    backtrace(frames, 2);

    stack_t current;
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t own;
        own.ss_sp = g_signalStack;
        own.ss_size = sizeof g_signalStack;
        own.ss_flags = 0;
        sigaltstack(&own, nullptr);
    }

    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kFatalSignals)
        sigaction(signal, &action, nullptr);

    std::set_terminate(OnTerminate);
    return true;
}
