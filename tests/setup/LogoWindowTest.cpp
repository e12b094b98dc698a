#include "SetupWindowFixture.h"

#include "setup/DriveList.h"
#include "setup/FileList.h"
#include "setup/FolderList.h"
#include "setup/LogoPaths.h"
#include "setup/LogoSelectionWindow.h"
#include "setup/LogoWindowOpener.h"

#include "mainwindow/LogoBox.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tagwright;
using test::addRecord;
using test::templateRecord;
namespace schema = store::schema;
namespace paths = setup::logopaths;

namespace {

TEST(LogoPaths, exactlyOneSeparatorJoinsFolderAndFileAlsoInARootFolder)
{
    EXPECT_EQ(paths::join(QStringLiteral("/"), QStringLiteral("logo.bmp")),
              QDir::toNativeSeparators(QStringLiteral("/logo.bmp")));
    EXPECT_EQ(paths::join(QStringLiteral("/shop/logos"), QStringLiteral("a.ico")),
              QDir::toNativeSeparators(QStringLiteral("/shop/logos/a.ico")));
    EXPECT_EQ(paths::join(QStringLiteral("/shop/logos/"), QStringLiteral("a.ico")),
              QDir::toNativeSeparators(QStringLiteral("/shop/logos/a.ico")));
    EXPECT_EQ(paths::folderOf(QStringLiteral("/logo.bmp")), "/");
    EXPECT_EQ(paths::folderOf(QStringLiteral("/shop/logos/a.ico")), "/shop/logos/");
    EXPECT_EQ(paths::folderOf(QStringLiteral("logo.bmp")), "");
}

TEST(LogoPaths, aVanishedFolderFallsBackToItsNearestExistingParent)
{
    test::TempFolder folder;
    EXPECT_EQ(paths::nearestExistingFolder(folder.file(QStringLiteral("gone/deeper/"))), folder.path());
    EXPECT_EQ(paths::nearestExistingFolder(folder.path() + QStringLiteral("/")), folder.path());
    EXPECT_EQ(paths::nearestExistingFolder(QString()), "");
}

class LogoWindow : public test::SetupWindowTest {
protected:
    void SetUp() override
    {
        test::SetupWindowTest::SetUp();
        logos = folder.file(QStringLiteral("logos"));
        ASSERT_TRUE(QDir().mkpath(logos + QStringLiteral("/sub")));
        writePicture(QStringLiteral("LOGO.BMP"), Qt::red);
        writePicture(QStringLiteral("mark.Png"), Qt::blue);
        QFile notes(logos + QStringLiteral("/notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        QFile broken(logos + QStringLiteral("/broken.bmp"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
    }

    void writePicture(const QString& name, Qt::GlobalColor colour)
    {
        QImage picture(8, 4, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(logos + QLatin1Char('/') + name));
    }

    QString logoPath(const QString& name) const
    {
        return QDir::toNativeSeparators(logos + QLatin1Char('/') + name);
    }

    void openWithLogo(const QString& path)
    {
        addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
        openSetupWindow();
        window->session().setLogo(path);
        click("logoButton");
        logoWindow = window->findChild<setup::LogoSelectionWindow*>(QStringLiteral("logoWindow"));
        ASSERT_NE(logoWindow, nullptr);
    }

    QStringList fileNames() const
    {
        QStringList names;
        for (int i = 0; i < logoWindow->fileList()->count(); ++i)
            names << logoWindow->fileList()->item(i)->text();
        return names;
    }
    // The logo window's own "Save" and "Exit" buttons.
    QPushButton* logoButton(const char* name) const
    {
        return logoWindow->findChild<QPushButton*>(QLatin1String(name));
    }
    QString pathShown() const { return logoWindow->pathLabel()->text(); }
    bool previewShown() const { return !logoWindow->preview()->pixmap().isNull(); }
    QRect fileRect(const QString& name) const
    {
        setup::FileList* list = logoWindow->fileList();
        return list->visualItemRect(list->findItems(name, Qt::MatchExactly).value(0));
    }

    QString logos;
    setup::LogoSelectionWindow* logoWindow = nullptr;
};

TEST_F(LogoWindow, opensWithoutLogoOnTheWorkingFolderWithNothingChosen)
{
    openWithLogo(QString());
    EXPECT_EQ(logoWindow->windowTitle(), "Logo Selection");
    EXPECT_FALSE(logoWindow->isModal());
    EXPECT_EQ(window->state().LogoPending, 1);
    EXPECT_EQ(pathShown(), "");
    EXPECT_FALSE(previewShown());
    EXPECT_EQ(logoWindow->folderList()->path(), QDir::currentPath());
}

TEST_F(LogoWindow, opensOnTheLogosFolderListingItsPicturesWhateverTheirLetterCase)
{
    openWithLogo(logoPath(QStringLiteral("LOGO.BMP")));
    EXPECT_EQ(pathShown(), logoPath(QStringLiteral("LOGO.BMP")));
    EXPECT_TRUE(previewShown());
    EXPECT_EQ(logoWindow->preview()->size(), QSize(52, 52));
    EXPECT_TRUE(logoWindow->preview()->hasScaledContents());
    EXPECT_EQ(logoWindow->folderList()->path(), logos);
    EXPECT_EQ(fileNames(), QStringList({"broken.bmp", "LOGO.BMP", "mark.Png"}));
}

TEST_F(LogoWindow, aRootFolderLogoListsTheRoot)
{
    openWithLogo(QDir::toNativeSeparators(QStringLiteral("/no-such-logo.bmp")));
    EXPECT_EQ(logoWindow->folderList()->path(), QDir::rootPath());
    EXPECT_EQ(logoWindow->driveList()->currentRoot(), QDir::rootPath());
    EXPECT_FALSE(previewShown());
}

TEST_F(LogoWindow, pathsThatLeadNowhereOpenAUsableWindowWithAnEmptyPreview)
{
    const QString vanished = QDir::toNativeSeparators(logos + QStringLiteral("/gone/old.bmp"));
    const QString cases[] = {vanished, QStringLiteral("bare-name.bmp"), logoPath(QStringLiteral("broken.bmp")),
                             logoPath(QStringLiteral("missing.ico"))};
    addRecord(mainDb, schema::LabelsTable, templateRecord(QStringLiteral("Annual")));
    openSetupWindow();
    for (const QString& path : cases) {
        window->session().setLogo(path);
        click("logoButton");
        logoWindow = window->findChild<setup::LogoSelectionWindow*>();
        ASSERT_NE(logoWindow, nullptr);
        EXPECT_EQ(pathShown(), path);
        EXPECT_FALSE(previewShown()) << path.toStdString();
        // Still usable: a good file can be chosen.
        logoWindow->folderList()->setPath(logos);
        logoWindow->fileList()->setFolder(logos);
        QTest::mouseDClick(logoWindow->fileList()->viewport(), Qt::LeftButton, {},
                           fileRect(QStringLiteral("mark.Png")).center());
        EXPECT_TRUE(previewShown());
        logoButton("logoExitButton")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(window->findChild<setup::LogoSelectionWindow*>(), nullptr);
}

TEST_F(LogoWindow, aSingleClickMarksAFileAndADoubleClickChoosesIt)
{
    openWithLogo(QString());
    logoWindow->show();
    logoWindow->folderList()->setPath(logos);
    logoWindow->fileList()->setFolder(logos);
    QWidget* files = logoWindow->fileList()->viewport();
    QTest::mouseClick(files, Qt::LeftButton, {}, fileRect(QStringLiteral("LOGO.BMP")).center());
    EXPECT_EQ(pathShown(), "");
    EXPECT_FALSE(previewShown());
    QTest::mouseDClick(files, Qt::LeftButton, {}, fileRect(QStringLiteral("LOGO.BMP")).center());
    EXPECT_EQ(pathShown(), logoPath(QStringLiteral("LOGO.BMP")));
    EXPECT_TRUE(previewShown());
}

TEST_F(LogoWindow, changingFolderThenSavingEmptiesTheLogoPath)
{
    openWithLogo(logoPath(QStringLiteral("LOGO.BMP")));
    setup::FolderList* folders = logoWindow->folderList();
    Q_EMIT folders->itemActivated(folders->entryFor(logos + QStringLiteral("/sub")), 0);
    EXPECT_EQ(folders->path(), logos + QStringLiteral("/sub"));
    EXPECT_TRUE(fileNames().isEmpty());
    EXPECT_EQ(pathShown(), "");
    EXPECT_FALSE(previewShown());
    logoButton("logoSaveButton")->click();
    EXPECT_EQ(window->controls().logoPathHolder->text(), "");
}

TEST_F(LogoWindow, theLogoButtonBringsAnOpenWindowForwardWithoutReloadingIt)
{
    openWithLogo(logoPath(QStringLiteral("LOGO.BMP")));
    window->state().LogoPending = false;
    logoWindow->pathLabel()->setText(QStringLiteral("kept"));
    click("logoButton");
    EXPECT_EQ(window->findChildren<setup::LogoSelectionWindow*>().size(), 1);
    EXPECT_EQ(pathShown(), "kept");
    EXPECT_EQ(window->state().LogoPending, 1);
}

TEST_F(LogoWindow, saveThenExitReloadsOnlyTheLogoOnTheMainWindow)
{
    openWithLogo(QString());
    window->controls().valueBoxes[0]->setText(QStringLiteral("N123AB"));
    window->controls().bodyBox->setPlainText(QStringLiteral("typed body"));
    logoWindow->activateWindow();
    QCoreApplication::processEvents();
    logoWindow->folderList()->setPath(logos);
    logoWindow->fileList()->setFolder(logos);
    QTest::mouseDClick(logoWindow->fileList()->viewport(), Qt::LeftButton, {},
                       fileRect(QStringLiteral("mark.Png")).center());
    logoButton("logoSaveButton")->click();
    EXPECT_EQ(window->controls().logoPathHolder->text(), logoPath(QStringLiteral("mark.Png")));
    logoButton("logoExitButton")->click();
    window->activateWindow();
    QCoreApplication::processEvents();

    EXPECT_EQ(window->state().LogoPending, 0);
    EXPECT_TRUE(window->controls().logoBox->hasPicture());
    EXPECT_EQ(window->controls().valueBoxes[0]->text(), "N123AB");
    EXPECT_EQ(window->controls().bodyBox->toPlainText(), "typed body");
}

// Sets an environment variable for as long as it lives.
class EnvironmentSetting {
public:
    EnvironmentSetting(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~EnvironmentSetting() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST_F(LogoWindow, theHomeAndPicturesFoldersAreOfferedBesideTheDrivesAndEscapeIsExit)
{
    const QString home = folder.file(QStringLiteral("home"));
    const QString pictures = home + QStringLiteral("/Pictures");
    ASSERT_TRUE(QDir().mkpath(pictures));
    ASSERT_TRUE(QFile::copy(logos + QStringLiteral("/LOGO.BMP"), pictures + QStringLiteral("/shop.bmp")));
    const EnvironmentSetting homeSetting("HOME", QFile::encodeName(home));
    const EnvironmentSetting noConfig("XDG_CONFIG_HOME", QByteArray());
    openWithLogo(QString());
    setup::DriveList* drives = logoWindow->driveList();
    QStringList offered;
    for (int i = 0; i < drives->count(); ++i)
        offered << drives->itemData(i).toString();
    EXPECT_EQ(offered.first(), QDir::rootPath());
    ASSERT_TRUE(offered.contains(home));
    ASSERT_TRUE(offered.contains(pictures));
    EXPECT_EQ(drives->itemText(int(offered.indexOf(pictures))),
              QStringLiteral("Pictures (%1)").arg(QDir::toNativeSeparators(pictures)));

    drives->setCurrentIndex(int(offered.indexOf(pictures)));
    Q_EMIT drives->activated(drives->currentIndex());
    EXPECT_EQ(logoWindow->folderList()->path(), pictures);
    EXPECT_EQ(fileNames(), QStringList{"shop.bmp"});

    // Offscreen, activating a second window leaves the main window active: make it so.
    logoWindow->show();
    QApplication::setActiveWindow(logoWindow);
    ASSERT_EQ(QApplication::activeWindow(), logoWindow);
    QTest::keyClick(logoWindow, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<setup::LogoSelectionWindow*>(), nullptr);
}

}  // namespace
