#include "AccessHeader.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>

namespace tagwright::legacy {

namespace {

constexpr int MagicOffset = 4;
constexpr int VersionOffset = 0x14;
// From this offset on, 128 bytes of the first page are masked with an RC4 key stream of a
// fixed key; the password and the creation date sit in the masked part.
constexpr int MaskedOffset = 0x18;
constexpr int MaskedSize = 128;
constexpr quint32 HeaderKey = 0x6b39dac7;
constexpr int PasswordOffset = 0x42;
constexpr int CreationDateOffset = 0x72;

std::array<quint8, MaskedSize> headerKeyStream()
{
    std::array<quint8, 256> state{};
    for (int i = 0; i < 256; ++i)
        state[std::size_t(i)] = quint8(i);
    quint8 key[4];
    qToLittleEndian(HeaderKey, key);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[std::size_t(i)] + key[i % 4]) & 0xff;
        std::swap(state[std::size_t(i)], state[std::size_t(j)]);
    }
    std::array<quint8, MaskedSize> stream{};
    for (int n = 0, i = 0, j = 0; n < MaskedSize; ++n) {
        i = (i + 1) & 0xff;
        j = (j + state[std::size_t(i)]) & 0xff;
        std::swap(state[std::size_t(i)], state[std::size_t(j)]);
        stream[std::size_t(n)] = state[std::size_t((state[std::size_t(i)] + state[std::size_t(j)]) & 0xff)];
    }
    return stream;
}

// Jet 3 keeps 20 password bytes under the header mask; Jet 4 and later keep 40, further
// masked with the whole days of the creation date.
bool passwordSet(const QByteArray& page, AccessHeader::Format format)
{
    if (page.size() < MaskedOffset + MaskedSize)
        return false;
    static const auto stream = headerKeyStream();
    QByteArray header = page.mid(MaskedOffset, MaskedSize);
    for (int i = 0; i < MaskedSize; ++i)
        header[i] = char(quint8(header[i]) ^ stream[std::size_t(i)]);
    const int start = PasswordOffset - MaskedOffset;
    const int length = format == AccessHeader::Format::Jet3 ? 20 : 40;
    quint8 dateMask[4] = {0, 0, 0, 0};
    if (format != AccessHeader::Format::Jet3) {
        double days = 0;
        std::memcpy(&days, header.constData() + (CreationDateOffset - MaskedOffset), sizeof days);
        days = qFromLittleEndian(days);
        const qint32 whole = (days > -2.0e9 && days < 2.0e9) ? qint32(days) : 0;
        qToLittleEndian(whole, dateMask);
    }
    for (int i = 0; i < length; ++i) {
        if ((quint8(header[start + i]) ^ dateMask[i % 4]) != 0)
            return true;
    }
    return false;
}

}  // namespace

QString AccessHeader::formatName() const
{
    switch (format) {
    case Format::Jet3: return QStringLiteral("Access 97 (Jet 3)");
    case Format::Jet4: return QStringLiteral("Access 2000-2003 (Jet 4)");
    case Format::Ace: return QStringLiteral("Access 2007 or later (ACE)");
    case Format::NotAccess: break;
    }
    return QStringLiteral("not an Access file");
}

AccessHeader readAccessHeader(const QString& path)
{
    AccessHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        header.unreadable = true;
        return header;
    }
    const QByteArray page = file.read(MaskedOffset + MaskedSize);
    if (page.size() <= VersionOffset)
        return header;
    const QByteArray magic = page.mid(MagicOffset, 16);
    if (magic == QByteArray("Standard ACE DB", 16))
        header.format = AccessHeader::Format::Ace;
    else if (magic == QByteArray("Standard Jet DB", 16))
        header.format = page[VersionOffset] == 0 ? AccessHeader::Format::Jet3 : AccessHeader::Format::Jet4;
    else
        return header;
    header.hasPassword = passwordSet(page, header.format);
    return header;
}

}  // namespace tagwright::legacy
