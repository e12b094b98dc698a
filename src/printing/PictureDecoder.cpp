#include "PictureDecoder.h"

#include "WmfRender.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace tagwright::printing {

namespace {

const QString HelperName = QStringLiteral("tagwright-wmf");

QImage fromPng(const QByteArray& png)
{
    return QImage::fromData(png, "PNG");
}

}  // namespace

QImage InProcessDecoder::decodeMetafile(const QByteArray& bytes) const
{
    std::vector<unsigned char> png;
    if (!wmf::renderToPng(reinterpret_cast<const unsigned char*>(bytes.constData()),
                          std::size_t(bytes.size()), png))
        return {};
    return fromPng(QByteArray(reinterpret_cast<const char*>(png.data()), qsizetype(png.size())));
}

QString ChildProcessDecoder::helperPath()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString programs = QCoreApplication::applicationDirPath();
        candidates << programs + QLatin1Char('/') + HelperName;
        // The Debian package keeps the helper out of the command path, in libexec.
        candidates << programs + QStringLiteral("/../libexec/tagwright/") + HelperName;
    }
#ifdef TAGWRIGHT_WMF_BUILD_PATH
    // Test programs live elsewhere in the build tree than the programs and their helper.
    candidates << QStringLiteral(TAGWRIGHT_WMF_BUILD_PATH);
#endif
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return {};
}

QImage ChildProcessDecoder::decodeMetafile(const QByteArray& bytes) const
{
    const QString helper = helperPath();
    if (helper.isEmpty())
        return {};
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(helper, {QStringLiteral("--cpu-seconds"), QString::number(m_limits.cpuSeconds)});
    if (!process.waitForStarted(m_limits.wallMilliseconds))
        return {};
    process.write(bytes);
    process.closeWriteChannel();
    // The helper stops itself at its processor-time limit; the clock here also catches a
    // helper that sleeps or waits.
    if (!process.waitForFinished(m_limits.wallMilliseconds)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    const QByteArray png = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || png.size() > m_limits.maxOutputBytes)
        return {};
    return fromPng(png);
}

const PictureDecoder& guardedDecoder()
{
    static const ChildProcessDecoder decoder;
    return decoder;
}

}  // namespace tagwright::printing
