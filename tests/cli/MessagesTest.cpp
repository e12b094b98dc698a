#include "cli/ShopDatabase.h"

#include "cli/CommandLine.h"
#include "cli/Terminal.h"

#include <QProcess>
#include <QTextStream>

#include <dirent.h>
#include <sys/stat.h>

using namespace tagwright::test;

namespace {

// What a script sees of tagwright-cli: the exit status and the one line on stderr.
class CliMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        shop.addCompany(skylineCompany());
        shop.addTemplate(hundredHourTemplate());
    }

    int print(const QStringList& options)
    {
        out.clear();
        err.clear();
        QTextStream os(&out), es(&err);
        tagwright::cli::Environment environment;
        environment.dataFolder = shop.folder.path();
        const int code = tagwright::cli::runCommandLine(
            QStringList{QStringLiteral("print"), QStringLiteral("--setup"), shop.setupPath()} + options,
            os, es, environment);
        es.flush();
        return code;
    }

    ShopDatabase shop;
    QString out;
    QString err;
};

quint32 crc32Of(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    QByteArray chunk;
    const auto bigEndian = [&chunk](quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.append(char((value >> shift) & 0xFF));
    };
    bigEndian(quint32(data.size()));
    chunk += type + data;
    bigEndian(crc32Of(type + data));
    return chunk;
}

// A red 8 x 8 PNG whose compressed comment is damaged: libpng warns about it and reads the
// picture all the same.
QByteArray pngThatMakesLibpngWarn()
{
    QByteArray rows;
    for (int y = 0; y < 8; ++y)
        rows += QByteArray(1, '\0') + QByteArray("\xff\x00\x00", 3).repeated(8);
    const QByteArray packed = qCompress(rows).mid(4);  // a zlib stream after Qt's length
    const QByteArray header("\x00\x00\x00\x08\x00\x00\x00\x08\x08\x02\x00\x00\x00", 13);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
           + pngChunk("zTXt", QByteArray("Comment\0\0garbage", 17)) + pngChunk("IDAT", packed)
           + pngChunk("IEND", {});
}

}  // namespace

TEST_F(CliMessages, controlCharactersInValuesAreShownEscapedOnOneLine)
{
    const struct {
        QStringList options;
        QString shown;
    } cases[] = {
        {{QStringLiteral("--trace"), QStringLiteral("--value"), QStringLiteral("LeftTop=\x1b[31mN1\n23456789")},
         QStringLiteral(R"("\x1b[31mN1\n23456789")")},
        {{QStringLiteral("--trace"), QStringLiteral("--stock"), QStringLiteral("la\rser\t")},
         QStringLiteral(R"("la\rser\t")")},
        {{QStringLiteral("--trace"), QStringLiteral("--co\u0085lour")}, QStringLiteral(R"("--co\u0085lour")")},
        {{QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("\x07nnual\x7f")},
         QStringLiteral(R"(\x07nnual\x7f)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        EXPECT_EQ(print(c.options), 2);
        EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(c.shown)) << err.toStdString();
        EXPECT_FALSE(err.contains(QChar(0x1b)) || err.contains(u'\r') || err.contains(u'\t'));
    }
}

TEST_F(CliMessages, copiesThatAreNoWholeNumberAreRefused)
{
    for (const QString& copies : {QStringLiteral("x3"), QString(), QStringLiteral("2.5"), QStringLiteral("3x")}) {
        EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--copies"), copies}), 2);
        EXPECT_EQ(err, QStringLiteral("tagwright-cli: --copies takes a whole number, not \"%1\".\n").arg(copies));
        EXPECT_TRUE(out.isEmpty());
    }
    EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--copies"), QStringLiteral(" 2 ")}), 0);
}

TEST(Arguments, bytesThatAreNotUtf8SurviveTheRoundTrip)
{
    const QByteArray arguments[] = {
        "plain.pdf", "caf\xc3\xa9.pdf", "caf\xe9.pdf", "\xff\xfe", "\xc0\xaf overlong",
        "\xed\xa0\x80 surrogate", "cut \xe2\x82", "\xf0\x9f\x9b\xa9 plane", "\xf4\x90\x80\x80 too high",
    };
    for (const QByteArray& bytes : arguments) {
        const QString text = tagwright::cli::decodeArgument(bytes);
        EXPECT_EQ(tagwright::cli::encodeArgument(text), bytes) << bytes.toHex().toStdString();
        if (bytes.isValidUtf8()) {
            EXPECT_EQ(text, QString::fromUtf8(bytes));
        }
    }
    EXPECT_EQ(tagwright::cli::escapeControls(tagwright::cli::decodeArgument("caf\xe9")), QStringLiteral(R"(caf\xe9)"));
}

// A value that is not UTF-8 would print as one text and be journaled as another; it is
// refused, naming the option, and nothing is printed or recorded.
TEST_F(CliMessages, textOptionsThatAreNotUtf8AreRefusedNamingTheOption)
{
    const QString pdf = shop.folder.file(QStringLiteral("label.pdf"));
    const struct {
        QStringList options;
        QString named;
    } cases[] = {
        {{QStringLiteral("--value"), tagwright::cli::decodeArgument("LeftTop=F-G\xc9" "AB")}, QStringLiteral("--value")},
        {{QStringLiteral("--signatory"), tagwright::cli::decodeArgument("J. M\xfcller")}, QStringLiteral("--signatory")},
        {{QStringLiteral("--date"), tagwright::cli::decodeArgument("03-07-2026\xff")}, QStringLiteral("--date")},
        {{QStringLiteral("--template"), tagwright::cli::decodeArgument("100 Hour\xa0")}, QStringLiteral("--template")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named.toStdString());
        EXPECT_EQ(print(c.options + QStringList{QStringLiteral("--pdf"), pdf}), 2);
        EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(c.named + QStringLiteral(" is not UTF-8 text"))) << err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    EXPECT_EQ(print({QStringLiteral("--value"), QStringLiteral("LeftTop=F-G\u00c9AB"), QStringLiteral("--trace")}), 0);
    EXPECT_TRUE(out.contains(QStringLiteral("F-G\u00c9AB")));
}

TEST_F(CliMessages, pdfNameThatIsNotUtf8IsWrittenUnderExactlyThoseBytes)
{
    const QByteArray name = QFile::encodeName(shop.folder.path()) + "/caf\xe9 \xff.pdf";
    ASSERT_EQ(print({QStringLiteral("--pdf"), tagwright::cli::decodeArgument(name)}), 0) << err.toStdString();
    struct stat written {};
    EXPECT_EQ(::stat(name.constData(), &written), 0);
    EXPECT_GT(written.st_size, 1000);
    // Nothing else appeared beside the databases: no name Qt made up, no temporary file.
    // (Read with readdir: QDir cannot list a name that is not UTF-8.)
    QList<QByteArray> files;
    DIR* folder = ::opendir(QFile::encodeName(shop.folder.path()).constData());
    ASSERT_NE(folder, nullptr);
    while (const dirent* entry = ::readdir(folder)) {
        if (const QByteArray name(entry->d_name); name != "." && name != "..")
            files.append(name);
    }
    ::closedir(folder);
    EXPECT_EQ(files.size(), 3) << QByteArrayList(files).join(',').toStdString();

    EXPECT_EQ(print({QStringLiteral("--pdf"), tagwright::cli::decodeArgument("/missing\xff/a.pdf")}), 1);
    EXPECT_EQ(err, QStringLiteral("tagwright-cli: Cannot write the PDF file /missing\\xff/a.pdf.\n"));
}

// The program itself, as a script starts it: library warnings stay off stderr, and the
// bytes of a file name come through argv unchanged.
TEST(CliProgram, librariesWarningsStayOffStderrAndArgvBytesReachTheFileName)
{
    ShopDatabase shop;
    shop.addCompany(skylineCompany());
    QVariantMap withLogo = hundredHourTemplate();
    const QString logo = shop.folder.file(QStringLiteral("logo.png"));
    QFile png(logo);
    ASSERT_TRUE(png.open(QIODevice::WriteOnly));
    png.write(pngThatMakesLibpngWarn());
    png.close();
    withLogo["Logo"] = logo;
    shop.addTemplate(withLogo);

    const auto run = [&](bool verbose) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("TAGWRIGHT_CLI_VERBOSE"));
        if (verbose)
            environment.insert(QStringLiteral("TAGWRIGHT_CLI_VERBOSE"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(shop.folder.path());
        // Through the shell, so the file name reaches argv as raw bytes.
        process.start(QStringLiteral("sh"),
                      {QStringLiteral("-c"), QStringLiteral(R"sh(exec "$0" print --setup "$1" --pdf "$(printf 'logo\351.pdf')")sh"),
                       QStringLiteral(TAGWRIGHT_CLI_PROGRAM), shop.setupPath()});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0);
        return QString::fromLocal8Bit(process.readAllStandardError());
    };
    EXPECT_TRUE(run(true).contains(QStringLiteral("libpng warning"))) << "the picture no longer makes libpng warn";
    EXPECT_EQ(run(false), QString());
    struct stat written {};
    EXPECT_EQ(::stat(QFile::encodeName(shop.folder.path()).append("/logo\xe9.pdf").constData(), &written), 0);
}
