// tagwright-wmf: draws one Windows metafile, read from standard input, as PNG bytes on
// standard output. libwmf is C that was never built for hostile files: the programs run it
// here, in a process of its own under limits, so a file that crashes or loops it costs
// only this process. Exit status 0 means a picture was written; anything else means none.
// No Qt here either (see WmfRender.h).

#include "WmfRender.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A logo file is read whole; anything larger is no logo.
constexpr std::size_t MaxInputBytes = 64u << 20;
constexpr std::size_t MaxOutputBytes = 32u << 20;
constexpr rlim_t MemoryBytes = rlim_t(512) << 20;

void limit(int resource, rlim_t value)
{
    const rlimit both{value, value};
    setrlimit(resource, &both);
}

void applyLimits(rlim_t cpuSeconds)
{
    limit(RLIMIT_CPU, cpuSeconds);
    limit(RLIMIT_CORE, 0);    // a crash leaves no core file behind
    limit(RLIMIT_FSIZE, MaxOutputBytes);  // also when standard output is a file
    limit(RLIMIT_NOFILE, 16);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves far more address space than it uses.
    limit(RLIMIT_AS, MemoryBytes);
#endif
}

bool readAll(std::vector<unsigned char>& bytes)
{
    unsigned char buffer[65536];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (bytes.size() + std::size_t(got) > MaxInputBytes)
            return false;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

bool writeAll(const std::vector<unsigned char>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += std::size_t(put);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    rlim_t cpuSeconds = 3;
    if (argc == 3 && std::strcmp(argv[1], "--cpu-seconds") == 0)
        cpuSeconds = rlim_t(std::max(1L, std::atol(argv[2])));
    applyLimits(cpuSeconds);

    std::vector<unsigned char> wmf;
    if (!readAll(wmf))
        return 2;
    std::vector<unsigned char> png;
    if (!tagwright::printing::wmf::renderToPng(wmf.data(), wmf.size(), png))
        return 1;
    if (png.size() > MaxOutputBytes)
        return 3;
    return writeAll(png) ? 0 : 2;
}
