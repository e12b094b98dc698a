#include "ReaderGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace tagwright::legacy {

namespace {

// SIGTRAP: glib's g_malloc ends a refused allocation with a breakpoint.
constexpr int GuardedSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP, SIGALRM};
constexpr rlim_t MemoryAllowance = rlim_t(1) << 30;   // beyond what the process holds already

char g_message[4096];
std::size_t g_messageLength = 0;
alignas(16) char g_alternateStack[64 * 1024];
struct sigaction g_previous[std::size(GuardedSignals)];
struct rlimit g_previousLimit;
int g_messageOutput = STDERR_FILENO;
int g_savedError = -1;

extern "C" void readerFailed(int)
{
    // Only async-signal-safe calls: the message was prepared beforehand.
    [[maybe_unused]] const ssize_t written = ::write(g_messageOutput, g_message, g_messageLength);
    ::_exit(1);
}

rlim_t addressSpaceInUse()
{
    FILE* statm = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (statm) {
        if (std::fscanf(statm, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    return rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE));
}

}  // namespace

int ReaderGuard::secondsFor(const QString& path)
{
    return 5 + int(QFileInfo(path).size() / (1 << 20));
}

void ReaderGuard::reading(const QString& path)
{
    const QByteArray message =
        QStringLiteral("tagwright-cli: The Access file %1 cannot be read: the file is damaged "
                       "(the reader stopped on it).\n")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()))
            .toUtf8()
            .left(sizeof g_message);
    std::memcpy(g_message, message.constData(), std::size_t(message.size()));
    g_messageLength = std::size_t(message.size());
}

ReaderGuard::ReaderGuard(const QString& path, int seconds)
{
    reading(path);

    stack_t stack{};
    stack.ss_sp = g_alternateStack;
    stack.ss_size = sizeof g_alternateStack;
    ::sigaltstack(&stack, nullptr);
    struct sigaction action{};
    action.sa_handler = readerFailed;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(GuardedSignals); ++i)
        ::sigaction(GuardedSignals[i], &action, &g_previous[i]);

    // libmdb writes its own warnings about damaged pages straight to stderr, dozens of
    // lines that would bury the one line scripts read. TAGWRIGHT_CLI_VERBOSE=1 keeps them.
    if (!qEnvironmentVariableIsSet("TAGWRIGHT_CLI_VERBOSE")) {
        std::fflush(stderr);
        g_savedError = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        if (g_savedError >= 0 && null >= 0) {
            ::dup2(null, STDERR_FILENO);
            g_messageOutput = g_savedError;
        }
        if (null >= 0)
            ::close(null);
    }

    ::getrlimit(RLIMIT_AS, &g_previousLimit);
    struct rlimit limit = g_previousLimit;
    const rlim_t wanted = addressSpaceInUse() + MemoryAllowance;
    if (limit.rlim_max == RLIM_INFINITY || wanted < limit.rlim_max)
        limit.rlim_cur = wanted;
    ::setrlimit(RLIMIT_AS, &limit);
    ::alarm(unsigned(seconds));
}

ReaderGuard::~ReaderGuard()
{
    ::alarm(0);
    ::setrlimit(RLIMIT_AS, &g_previousLimit);
    if (g_savedError >= 0) {
        std::fflush(stderr);
        ::dup2(g_savedError, STDERR_FILENO);
        ::close(g_savedError);
        g_savedError = -1;
        g_messageOutput = STDERR_FILENO;
    }
    for (std::size_t i = 0; i < std::size(GuardedSignals); ++i)
        ::sigaction(GuardedSignals[i], &g_previous[i], nullptr);
}

}  // namespace tagwright::legacy
