// A coverage-guided fuzzer (libFuzzer) over the Access reader, run by hand with
// scripts/fuzz-access, never in the test suite. Each input is read as a file: the reader
// must refuse it or read it without a crash, a hang or a sanitizer report. Mutations keep
// the file's size and change a few bytes or a 16-bit number, as damage on a disk does;
// an input read whole must still hold the undamaged file's tables and row counts.
#include "legacy/AccessReader.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

using namespace tagwright::legacy;

namespace {

QString scratchFile()
{
    return QStringLiteral("/dev/shm/tagwright-fuzz-%1.mdb").arg(::getpid());
}

AccessContents readBytes(const uint8_t* data, size_t size)
{
    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    return readAccessFile(scratchFile());
}

// The undamaged file the corpus starts from (TAGWRIGHT_FUZZ_ORIGINAL), read once.
const AccessContents* original()
{
    static const AccessContents* contents = [] {
        const char* path = std::getenv("TAGWRIGHT_FUZZ_ORIGINAL");
        return path ? new AccessContents(readAccessFile(QString::fromLocal8Bit(path))) : nullptr;
    }();
    return contents;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const AccessContents read = readBytes(data, size);
    const AccessContents* undamaged = original();
    if (!read.ok() || !undamaged || !undamaged->ok())
        return 0;
    // A table that is not found at all is refused by the importer; one that is found must
    // hold the undamaged file's rows.
    for (const AccessTable& table : undamaged->tables) {
        const AccessTable* found = read.table(table.name);
        if (found && (found->rows.size() != table.rows.size() || found->columns.size() != table.columns.size()))
            std::abort();
    }
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed)
{
    (void)maxSize;
    if (size < 2)
        return size;
    std::srand(seed);
    const int changes = 1 + std::rand() % 3;
    for (int i = 0; i < changes; ++i) {
        const size_t at = size_t(std::rand()) % (size - 1);
        switch (std::rand() % 4) {
        case 0: data[at] = uint8_t(std::rand()); break;
        case 1: data[at] ^= uint8_t(1u << (std::rand() % 8)); break;
        case 2: {
            const int delta = std::rand() % 33 - 16;
            const unsigned value = unsigned(data[at] | data[at + 1] << 8) + unsigned(delta);
            data[at] = uint8_t(value);
            data[at + 1] = uint8_t(value >> 8);
            break;
        }
        default: data[at] = std::rand() % 2 ? 0x00 : 0xff; break;
        }
    }
    return size;
}
