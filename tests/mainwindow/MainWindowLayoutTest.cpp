#include "support/MainWindowFixture.h"
#include "support/Pixels.h"

#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tagwright;
using test::pixelsOf;

namespace {

class MainWindowLayout : public test::MainWindowTest {};

TEST_F(MainWindowLayout, everyControlCarriesItsLayoutName)
{
    openWindow();
    QStringList names = {"Image1", "Text2", "Text9", "Label1", "Picture1", "Check1", "Check2", "Combo2",
                         "Label31", "Label30", "Panel3D1", "Panel3D2", "Panel3D3", "Panel3D4", "Panel3D5",
                         "Panel3D6", "Combo1", "Option3D1", "Option3D2", "Frame3D1", "Text15"};
    for (int i = 0; i < 3; ++i)
        names << QStringLiteral("Text1_%1").arg(i);
    for (int i = 3; i <= 26; ++i) {
        if (i != 9 && i != 14 && i != 15 && i != 2)
            names << QStringLiteral("Text%1").arg(i);
    }
    for (int i = 1; i <= 12; ++i)
        names << QStringLiteral("Command3D%1").arg(i);
    for (int i = 4; i <= 12; ++i)
        names << QStringLiteral("Label%1").arg(i);
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("Label13_%1").arg(i);
    for (int i = 1; i <= 6; ++i)
        names << QStringLiteral("Label22_%1").arg(i);
    for (const QString& name : names)
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name.toStdString();
    EXPECT_EQ(window->windowTitle(), "Tagwright");
}

TEST_F(MainWindowLayout, onlyTheCardAndTheButtonColumnAreVisibleAtStart)
{
    openWindow();
    for (const char* hidden : {"Panel3D2", "Panel3D3", "Panel3D6", "Combo2", "Label31", "Label30"})
        EXPECT_FALSE(find<QWidget>(hidden)->isVisible()) << hidden;
    for (const char* shown : {"Image1", "Panel3D1", "Text2", "Picture1", "Text9", "Check1", "Check2",
                              "Panel3D5", "Command3D1", "Command3D2", "Command3D3", "Command3D5",
                              "Command3D6", "Command3D7", "Command3D8", "Command3D9"})
        EXPECT_TRUE(find<QWidget>(shown)->isVisible()) << shown;
    EXPECT_FALSE(find<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("Check2")->isChecked());
}

TEST_F(MainWindowLayout, controlsStandAtTheirTwipPositions)
{
    openWindow();
    using ui::twipsRect;
    EXPECT_EQ(find<QWidget>("Text2")->geometry(), twipsRect(1185, 1530, 4830, 1110));
    EXPECT_EQ(find<QWidget>("Picture1")->geometry(), QRect(220, 183, 37, 37));
    EXPECT_EQ(find<QWidget>("Text1_1")->geometry(), twipsRect(2600, 360, 2200, 365));
    EXPECT_EQ(find<QWidget>("Text4")->geometry(), twipsRect(625, 315, 2370, 240));
    EXPECT_EQ(find<QWidget>("Command3D9")->geometry(), twipsRect(1140, 3255, 980, 1555));
    EXPECT_EQ(find<QWidget>("Label22_4")->geometry(), twipsRect(1335, 1455, 855, 495));
    EXPECT_EQ(find<QWidget>("Image1")->size(), QSize(640, 480));
}

TEST_F(MainWindowLayout, captionsFontsAndLimitsAreTheLayouts)
{
    openWindow(false);  // before the first showing replaces the captions with a template's
    const QStringList captions = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    const char* captionBoxes[] = {"Text19", "Text20", "Text21", "Text16", "Text17", "Text18"};
    const char* valueBoxes[] = {"Text3", "Text4", "Text5", "Text6", "Text7", "Text8"};
    const int limits[] = {7, 30, 13, 8, 8, 8};
    for (int i = 0; i < 6; ++i) {
        auto* caption = find<QLineEdit>(captionBoxes[i]);
        EXPECT_EQ(caption->text(), captions[i]);
        EXPECT_EQ(caption->maxLength(), 6);
        EXPECT_TRUE(caption->font().bold());
        EXPECT_DOUBLE_EQ(caption->font().pointSizeF(), 6.75);
        EXPECT_EQ(caption->font().family(), "Arial");
        EXPECT_EQ(find<QLineEdit>(valueBoxes[i])->maxLength(), limits[i]);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(find<QLineEdit>(qPrintable(QStringLiteral("Text1_%1").arg(i)))->maxLength(), 20);
    EXPECT_EQ(find<QLabel>("Label22_1")->text(), " ");
    for (int i = 2; i <= 6; ++i)
        EXPECT_EQ(find<QLabel>(qPrintable(QStringLiteral("Label22_%1").arg(i)))->text(), "X");
    EXPECT_EQ(find<QLineEdit>("Text15")->text(), "1");
    EXPECT_EQ(find<QPushButton>("Command3D9")->text(), "Setup");
    EXPECT_EQ(find<QPushButton>("Command3D9")->palette().color(QPalette::ButtonText), QColor(128, 128, 255));
}

TEST_F(MainWindowLayout, eachPageArrowPointsTheWayItsZonePages)
{
    openWindow();
    const QImage card = find<QLabel>("Image1")->pixmap().toImage();
    const QPoint cardCorner = find<QWidget>("Image1")->pos();
    const QColor arrow(0, 0, 128);
    for (int zone = 1; zone <= 4; ++zone) {
        const QRect area = find<QWidget>(qPrintable(QStringLiteral("Label13_%1").arg(zone)))
                               ->geometry().translated(-cardCorner);
        // A triangle's ink leans towards its base: pointing right, it lies mostly to the left.
        const QRect leftHalf(area.left(), area.top(), area.width() / 2, area.height());
        const QRect rightHalf(area.left() + area.width() / 2, area.top(), area.width() - area.width() / 2,
                              area.height());
        const int left = pixelsOf(card, arrow, leftHalf);
        const int right = pixelsOf(card, arrow, rightHalf);
        ASSERT_GT(left + right, 50) << "no arrow under zone " << zone;
        const bool forward = zone <= 2;
        EXPECT_EQ(left > right, forward) << "zone " << zone << (forward ? " pages forward" : " pages back");
    }
}

TEST_F(MainWindowLayout, aDisabledSetupButtonShowsItsDisabledCaption)
{
    openWindow();
    auto* setup = find<QPushButton>("Command3D9");
    const QColor lightBlue(128, 128, 255);
    ASSERT_TRUE(setup->isEnabled());
    EXPECT_GT(pixelsOf(setup->grab().toImage(), lightBlue), 0);
    find<QLineEdit>("Text20")->setText("Model");  // editing disables Setup
    ASSERT_FALSE(setup->isEnabled());
    const QImage disabled = setup->grab().toImage();
    EXPECT_EQ(pixelsOf(disabled, lightBlue), 0);
    EXPECT_GT(pixelsOf(disabled, setup->palette().color(QPalette::Disabled, QPalette::ButtonText)), 0);
}

TEST_F(MainWindowLayout, theCardsRuledLinesNeverStrikeThroughTheSignatoryHint)
{
    openWindow();
    find<QCheckBox>("Check2")->setChecked(true);
    const QWidget* hint = find<QWidget>("Label31");
    ASSERT_TRUE(hint->isVisible());
    const QRect area(hint->mapTo(window.get(), QPoint(0, 0)), hint->size());
    // The rules are pure blue; a scaled picture blends them with the white card.
    const auto rulePixels = [](const QImage& image, const QRect& box) {
        int found = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                found += c.blue() > 128 && c.red() < c.blue() - 64 && c.green() < c.blue() - 64;
            }
        }
        return found;
    };
    for (const qreal scale : {1.0, 2.0}) {
        QImage image(window->size() * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        window->render(&image);
        const QRect scaled(area.topLeft() * scale, area.size() * scale);
        EXPECT_EQ(rulePixels(image, scaled), 0) << "at " << scale << "x";
        // The rules themselves are still there beside the hint.
        EXPECT_GT(rulePixels(image, scaled.adjusted(-int(80 * scale), 0, -scaled.width(), 0)), 0);
    }
}

}  // namespace
