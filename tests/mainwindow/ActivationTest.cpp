#include "CardFixture.h"

#include "mainwindow/LogoBox.h"
#include "ui/ProgramWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>

using namespace tagwright;
namespace labels = store::schema::labels;

namespace {

class ActivationTest : public test::CardTest {
protected:
    void SetUp() override
    {
        CardTest::SetUp();
        addTemplates({"A", "B"});
        openWindow();
        clickZone(1);   // away from the default template, so a full activation shows
        ASSERT_EQ(shownTitle(), "B");
    }

    void typeUserValues()
    {
        controls().valueBoxes[0]->setText("N123AB");
        controls().captionBoxes[1]->setText("Model");
        controls().companyCheck->setChecked(false);
    }

    bool userValuesKept()
    {
        return controls().valueBoxes[0]->text() == "N123AB"
            && controls().captionBoxes[1]->text() == "Model"
            && !controls().companyCheck->isChecked() && shownTitle() == "B";
    }

    static void activate(QWidget* widget)
    {
        widget->activateWindow();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), widget);
    }

    QString writePng(const QString& name, QColor colour)
    {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.file(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
};

// The card's unsaved changes are asked about first; the question's Cancel keeps the card.
TEST_F(ActivationTest, returningFromAWindowOfTheProgramShowsTheDefaultTemplateAgain)
{
    typeUserValues();
    QWidget logoWindow;
    ui::markAsWindowOfProgram(&logoWindow);
    logoWindow.show();
    activate(&logoWindow);
    activate(window.get());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(userValuesKept());

    dialogs.choiceAnswers = {QStringLiteral("Discard")};
    activate(&logoWindow);
    activate(window.get());
    EXPECT_EQ(shownTitle(), "A");
    EXPECT_EQ(controls().valueBoxes[0]->text(), "");
    EXPECT_TRUE(controls().companyCheck->isChecked());
    EXPECT_TRUE(browsing());
}

TEST_F(ActivationTest, dialogsAndUnmarkedWindowsAreNoActivation)
{
    typeUserValues();
    QDialog message(window.get());
    message.show();
    activate(&message);
    message.hide();
    activate(window.get());
    QWidget other;
    other.show();
    activate(&other);
    activate(window.get());
    EXPECT_TRUE(userValuesKept());
}

TEST_F(ActivationTest, pendingLogoReloadsOnlyTheLogoOnce)
{
    typeUserValues();
    window->session().setLogo(writePng("logo.png", Qt::red));
    window->state().LogoPending = true;
    QWidget logoWindow;
    ui::markAsWindowOfProgram(&logoWindow);
    logoWindow.show();
    activate(&logoWindow);
    activate(window.get());
    EXPECT_TRUE(userValuesKept());
    EXPECT_FALSE(window->state().LogoPending);
    EXPECT_EQ(controls().logoBox->pixels().pixelColor(0, 0), QColor(Qt::red));

    // The reload is used up: the next return from the logo window is a full activation.
    dialogs.choiceAnswers = {QStringLiteral("Discard")};
    activate(&logoWindow);
    activate(window.get());
    EXPECT_EQ(shownTitle(), "A");
    EXPECT_EQ(controls().valueBoxes[0]->text(), "");
}

TEST_F(ActivationTest, logoFollowsTheTemplateAndABadFileLeavesThePicture)
{
    const QString good = writePng("good.png", Qt::blue);
    QFile garbage(folder.file("broken.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM\x10\x00\x00\x00garbage");
    garbage.close();
    const QString paths[] = {good, folder.file("broken.bmp"), "C:\\LOGOS\\SHOP.BMP",
                             folder.file("missing.wmf"), ""};

    for (const QString& path : paths) {
        window->session().setLogo(path);
        card().reloadLogo();
        if (path == good || path.isEmpty())
            continue;
        EXPECT_EQ(controls().logoBox->pixels().pixelColor(0, 0), QColor(Qt::blue))
            << path.toStdString();
    }
    EXPECT_FALSE(controls().logoBox->hasPicture());
}

TEST_F(ActivationTest, pagingLoadsEachTemplatesLogo)
{
    window.reset();
    const QString good = writePng("good.png", Qt::green);
    test::addRecord(mainDb, store::schema::LabelsTable,
                    {{labels::Description, "With logo"}, {labels::Logo, good}});
    test::addRecord(mainDb, store::schema::LabelsTable,
                    {{labels::Description, "Lost logo"}, {labels::Logo, folder.file("gone.bmp")}});
    openWindow();
    EXPECT_FALSE(controls().logoBox->hasPicture());
    clickZone(1);
    clickZone(1);
    EXPECT_EQ(shownTitle(), "With logo");
    const QImage pixels = controls().logoBox->pixels();
    ASSERT_EQ(pixels.size(), QSize(37, 37));
    EXPECT_EQ(pixels.pixelColor(9, 9), QColor(Qt::green));
    EXPECT_EQ(pixels.pixelColor(10, 10), QColor(192, 192, 192));
    clickZone(1);
    EXPECT_EQ(shownTitle(), "Lost logo");
    EXPECT_EQ(controls().logoPathHolder->text(), folder.file("gone.bmp"));
    EXPECT_EQ(controls().logoBox->pixels(), pixels);
    clickZone(1);
    EXPECT_FALSE(controls().logoBox->hasPicture());
}

}  // namespace

namespace {

QString logoData(const char* name)
{
    return QStringLiteral(TAGWRIGHT_TEST_DATA "/logos/") + QLatin1String(name);
}

// A metafile that crashes or hangs the drawing library, set as a template's logo, leaves
// the window started and usable without a picture; a sound one arrives on its own.
using HostileLogoTest = test::CardTest;

TEST_F(HostileLogoTest, metafilesThatCrashOrHangTheDrawingLeaveTheWindowUsable)
{
    test::addRecord(mainDb, store::schema::LabelsTable,
                    {{labels::Description, "Crash"}, {labels::Logo, logoData("crash-font-width.wmf")}});
    test::addRecord(mainDb, store::schema::LabelsTable,
                    {{labels::Description, "Hang"}, {labels::Logo, logoData("hang-pattern-brush.wmf")}});
    test::addRecord(mainDb, store::schema::LabelsTable,
                    {{labels::Description, "Sound"}, {labels::Logo, logoData("shop.wmf")}});
    setDefaultLabel("Crash");
    QElapsedTimer clock;
    clock.start();
    openWindow();
    clickZone(1);
    clickZone(1);
    clickZone(1);
    clickZone(1);
    // Waiting for the looping file would take its 3 s of processor time.
    EXPECT_LT(clock.elapsed(), 2500);  // the window never waited for a drawing
    EXPECT_EQ(shownTitle(), "Hang");
    EXPECT_TRUE(browsing());
    QTRY_VERIFY_WITH_TIMEOUT(!controls().logoBox->isLoading(), 8000);
    EXPECT_FALSE(controls().logoBox->hasPicture());

    clickZone(1);
    EXPECT_EQ(shownTitle(), "Sound");
    QTRY_VERIFY_WITH_TIMEOUT(controls().logoBox->hasPicture(), 8000);
    EXPECT_NE(controls().logoBox->pixels().pixelColor(1, 1), QColor(192, 192, 192));
}

}  // namespace
