#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tagwright::printing {

// Draws a Windows metafile (Qt has no reader for them) as a picture at its natural size on a
// 96 dpi display. A file that cannot be drawn gives a null image.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    virtual QImage decodeMetafile(const QByteArray& bytes) const = 0;
};

// libwmf in this process: only for files the program made itself (tests, benchmarks).
class InProcessDecoder final : public PictureDecoder {
public:
    QImage decodeMetafile(const QByteArray& bytes) const override;
};

// libwmf in the helper program `tagwright-wmf`, under limits on processor time, memory,
// wall-clock time and output size. A crash, a hang or a limit reached gives a null image,
// exactly like a file that is no picture; the calling program never notices more.
class ChildProcessDecoder final : public PictureDecoder {
public:
    struct Limits {
        int wallMilliseconds = 5000;
        int cpuSeconds = 3;
        qint64 maxOutputBytes = 32 << 20;
    };

    ChildProcessDecoder() = default;
    explicit ChildProcessDecoder(Limits limits) : m_limits(limits) {}
    QImage decodeMetafile(const QByteArray& bytes) const override;

    // The helper beside the running program, or the one in the build tree; empty when
    // neither is there (metafiles then give no picture).
    static QString helperPath();

private:
    Limits m_limits;
};

// The decoder the programs use for files they did not make.
const PictureDecoder& guardedDecoder();

}  // namespace tagwright::printing
