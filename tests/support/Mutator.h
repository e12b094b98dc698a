#pragma once

#include <QByteArray>
#include <QtEndian>

#include <random>

namespace tagwright::test {

// Deterministic damage to a valid file, the way disks, downloads and careless tools damage
// them: bit flips, a cut-off tail, a size field turned huge, a block of noise, and for
// metafiles a record's parameters or its type changed. The same seed gives the same files.
class Mutator {
public:
    enum Kind { BitFlips, Truncation, HugeField, Noise, MetafileRecord, KindCount };

    explicit Mutator(unsigned seed) : m_random(seed) {}

    QByteArray mutate(const QByteArray& original, Kind kind)
    {
        QByteArray bytes = original;
        if (bytes.isEmpty())
            return bytes;
        switch (kind) {
        case BitFlips:
            for (int flips = pick(1, 16); flips > 0; --flips)
                bytes[pick(0, bytes.size() - 1)] ^= char(1 << pick(0, 7));
            break;
        case Truncation:
            bytes.truncate(pick(0, bytes.size() - 1));
            break;
        case HugeField: {
            // Size fields sit in the headers: the first 128 bytes.
            static constexpr quint32 huge[] = {0x7FFFFFFF, 0xFFFFFFFF, 0x80000000, 0x7FFF, 0xFFFF};
            const qsizetype at = pick(0, qMin<qsizetype>(bytes.size(), 128) - 1) & ~1;
            const quint32 value = huge[pick(0, 4)];
            if (at + 4 <= bytes.size())
                qToLittleEndian<quint32>(value, bytes.data() + at);
            break;
        }
        case Noise: {
            const qsizetype length = pick(1, 64);
            const qsizetype at = pick(0, bytes.size() - 1);
            for (qsizetype i = at; i < qMin(bytes.size(), at + length); ++i)
                bytes[i] = char(pick(0, 255));
            break;
        }
        case MetafileRecord:
            damageMetafileRecord(bytes);
            break;
        case KindCount:
            break;
        }
        return bytes;
    }

private:
    qsizetype pick(qsizetype low, qsizetype high)
    {
        return std::uniform_int_distribution<qsizetype>(low, high)(m_random);
    }

    // Walks a placeable metafile's records and damages one: a few parameter bytes, or its
    // type turned into DIBCREATEPATTERNBRUSH.
    void damageMetafileRecord(QByteArray& bytes)
    {
        constexpr qsizetype FirstRecord = 22 + 18;
        QList<std::pair<qsizetype, qsizetype>> records;
        for (qsizetype at = FirstRecord; at + 6 <= bytes.size();) {
            const qsizetype size = qsizetype(qFromLittleEndian<quint32>(bytes.constData() + at)) * 2;
            if (size < 6 || qFromLittleEndian<quint16>(bytes.constData() + at + 4) == 0)
                break;
            records.append({at, size});
            at += size;
        }
        if (records.isEmpty())
            return;
        const auto [at, size] = records[pick(0, records.size() - 1)];
        if (pick(0, 2) == 0) {
            qToLittleEndian<quint16>(0x0142, bytes.data() + at + 4);
            return;
        }
        for (int n = pick(1, 4); n > 0 && size > 6; --n)
            bytes[at + pick(6, qMin(size, bytes.size() - at) - 1)] = char(pick(0, 255));
    }

    std::mt19937 m_random;
};

}  // namespace tagwright::test
