// Damaged copies of valid logo pictures and example databases, made with fixed seeds, go
// through the logo loader and the program's start-up. Whatever the damage, nothing crashes or
// hangs, and the outcome is one of the documented ones: a picture or none; a started main
// window or one message naming the file, and exit status 1.

#include "startup/StoreBootstrap.h"
#include "startup/Startup.h"

#include "mainwindow/MainWindow.h"
#include "printing/LogoPicture.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "support/FakeDialogs.h"
#include "support/Results.h"
#include "support/MainDatabaseBuilder.h"
#include "support/Mutator.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tagwright;
using printing::LogoPicture;
using test::Mutator;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray encodedPicture(const char* format)
{
    QImage image(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 10, y * 15, 128));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image)) << format;
    return bytes;
}

struct PictureCase {
    const char* format;
    unsigned seed;
    int cases;
};

class MutatedLogo : public ::testing::TestWithParam<PictureCase> {};

TEST_P(MutatedLogo, givesAPictureOrNone)
{
    const PictureCase& param = GetParam();
    const bool metafile = QByteArray(param.format) == "wmf";
    const QByteArray original = metafile
        ? readFile(QStringLiteral(TAGWRIGHT_TEST_DATA "/logos/shop.wmf"))
        : encodedPicture(param.format);
    ASSERT_FALSE(original.isEmpty());
    // Short limits: a damaged metafile that loops costs one processor second.
    const printing::ChildProcessDecoder decoder({2000, 1, 32 << 20});
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("logo.") + QLatin1String(param.format));
    Mutator mutator(param.seed);
    const int kinds = metafile ? Mutator::KindCount : Mutator::MetafileRecord;
    int pictures = 0;
    for (int n = 0; n < param.cases; ++n) {
        writeFile(path, mutator.mutate(original, Mutator::Kind(n % kinds)));
        const QImage picture = LogoPicture::load(path, decoder);
        if (picture.isNull())
            continue;
        ++pictures;
        EXPECT_TRUE(picture.width() <= 16384 && picture.height() <= 16384) << param.format << " " << n;
        EXPECT_EQ(LogoPicture::boxPixels(picture).size(), QSize(37, 37)) << param.format << " " << n;
    }
    // Damage that spares the pixels still leaves a picture: the loader does not simply refuse.
    EXPECT_GT(pictures, 0) << param.format;
}

INSTANTIATE_TEST_SUITE_P(Formats, MutatedLogo,
                         ::testing::Values(PictureCase{"bmp", 11, 60}, PictureCase{"ico", 12, 60},
                                           PictureCase{"png", 13, 60}, PictureCase{"jpg", 14, 60},
                                           PictureCase{"wmf", 15, 40}),
                         [](const auto& info) { return std::string(info.param.format); });

// Runs the whole start-up on the folder, without the splash's one-second pause.
struct StartOutcome {
    bool started = false;
    bool failed = false;
    std::vector<test::FakeDialogs::Message> messages;
};

StartOutcome startIn(const QString& folder)
{
    test::FakeDialogs dialogs;
    startup::Startup startup(dialogs, {folder, folder});
    QSignalSpy finished(&startup, &startup::Startup::finished);
    QSignalSpy failed(&startup, &startup::Startup::failed);
    startup.begin();
    if (startup.splash())
        startup.splash()->startTimer().setInterval(0);
    StartOutcome outcome;
    if (!QTest::qWaitFor([&] { return !failed.isEmpty() || !finished.isEmpty(); }, 5000))
        return outcome;  // neither: the start-up hangs
    outcome.started = !finished.isEmpty() && startup.mainWindow() && startup.mainWindow()->isVisible();
    outcome.failed = !failed.isEmpty() && failed.first().first().toInt() == 1;
    outcome.messages = dialogs.messages;
    return outcome;
}

TEST(MutatedDatabase, startsTheWindowOrSaysWhichFileFailed)
{
    test::TempFolder source;
    {
        store::Database setup, main;
        ASSERT_TRUE(startup::openSetupDatabase(setup, source.path()).ok());
        QString dataPath;
        dataPath = test::expectValue(startup::ensureSetupRecord(setup, source.path()));
        ASSERT_TRUE(startup::openMainDatabase(main, source.path(), source.path()).ok());
        test::addRecord(main, store::schema::CompanyInfoTable,
                        {{store::schema::company::DefLabel, QStringLiteral("Oil change")}});
    }
    const QString names[] = {store::schema::SetupFileName, store::schema::MainFileName};
    const QByteArray originals[] = {readFile(source.file(names[0])), readFile(source.file(names[1]))};
    Mutator mutator(21);
    int started = 0;
    for (int n = 0; n < 80; ++n) {
        const int damaged = n % 4 == 0 ? 0 : 1;  // mostly the main database, the larger one
        test::TempFolder folder;
        for (int file = 0; file < 2; ++file) {
            writeFile(folder.file(names[file]),
                      file == damaged ? mutator.mutate(originals[file], Mutator::Kind(n / 4 % 4))
                                      : originals[file]);
        }
        // The setup record names the folder the files were made in; point it here.
        if (damaged == 1) {
            store::Database setup;
            ASSERT_TRUE(setup.open(folder.file(names[0]), store::schema::setupTables()).ok());
            store::TableCursor cursor;
            ASSERT_TRUE(cursor.open(setup, store::schema::SetupTable).ok());
            EXPECT_TRUE(cursor.edit().ok());
            EXPECT_TRUE(cursor.setValue(store::schema::setup::DataPath, folder.path()).ok());
            ASSERT_TRUE(cursor.update().ok());
        }
        const StartOutcome outcome = startIn(folder.path());
        ASSERT_NE(outcome.started, outcome.failed) << "case " << n;
        if (outcome.started) {
            ++started;
            EXPECT_TRUE(outcome.messages.empty()) << "case " << n;
            continue;
        }
        ASSERT_EQ(outcome.messages.size(), 1u) << "case " << n;
        EXPECT_EQ(outcome.messages[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(outcome.messages[0].text.contains(folder.path())) << "case " << n << ": "
            << outcome.messages[0].text.toStdString();
    }
    EXPECT_GT(started, 0);
}

}  // namespace
