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

// Tests written against the earlier forms' control names still find the same widgets.
TEST_F(MainWindowLayout, everyControlIsFoundByItsRoleAndByItsEarlierName)
{
    openWindow();
    const std::pair<const char*, const char*> names[] = {
        {"cardArea", "Form1Area"}, {"cardPicture", "Image1"}, {"titleBox1", "Text1_0"},
        {"titleBox3", "Text1_2"}, {"bodyEditor", "Text2"}, {"logoHint", "Label1"}, {"logoBox", "Picture1"},
        {"dateBox", "Text9"}, {"companyCheck", "Check1"}, {"signedCheck", "Check2"},
        {"signatoryList", "Combo2"}, {"signatoryHint", "Label31"}, {"logoPathHolder", "Label30"},
        {"nextZone1", "Label13_1"}, {"previousZone2", "Label13_4"}, {"tabBar1", "Label4"},
        {"tabBar9", "Label12"}, {"headerPanel", "Panel3D1"}, {"registrationCaption", "Text19"},
        {"registrationBox", "Text3"}, {"smohCaption", "Text18"}, {"smohBox", "Text8"},
        {"buttonPanelOuter", "Panel3D5"}, {"buttonPanelInner", "Panel3D4"}, {"newButton", "Command3D1"},
        {"saveButton", "Command3D2"}, {"printButton", "Command3D6"}, {"setupButton", "Command3D9"},
        {"printPanel", "Panel3D3"}, {"skipCell1", "Label22_1"}, {"skipCell6", "Label22_6"},
        {"copiesBox", "Text15"}, {"printOkButton", "Command3D10"}, {"printCancelButton", "Command3D11"},
        {"setupPanel", "Panel3D2"}, {"companyNameBox", "Text10"}, {"phoneBox", "Text13"},
        {"laserOption", "Option3D1"}, {"tractorOption", "Option3D2"}, {"defaultLabelList", "Combo1"},
        {"printerSetupButton", "Command3D4"}, {"informationButton", "Command3D12"},
        {"offsetsFrame", "Frame3D1"}, {"topRowOffsetBox", "Text22"}, {"rightColumnOffsetBox", "Text25"},
        {"informationPanel", "Panel3D6"}};
    for (const auto& [role, control] : names) {
        QWidget* widget = find<QWidget>(role);
        ASSERT_NE(widget, nullptr) << role;
        EXPECT_EQ(widget->objectName(), QLatin1String(role));
        EXPECT_EQ(find<QWidget>(control), widget) << control;
    }
    EXPECT_EQ(window->objectName(), "mainWindow");
    EXPECT_EQ(window->property("controlName").toString(), "Form1");
    EXPECT_EQ(window->windowTitle(), "Tagwright");
}

TEST_F(MainWindowLayout, onlyTheCardAndTheButtonColumnAreVisibleAtStart)
{
    openWindow();
    for (const char* hidden : {"setupPanel", "printPanel", "informationPanel", "signatoryList",
                               "signatoryHint", "logoPathHolder"})
        EXPECT_FALSE(find<QWidget>(hidden)->isVisible()) << hidden;
    for (const char* shown : {"cardPicture", "headerPanel", "bodyEditor", "logoBox", "dateBox",
                              "companyCheck", "signedCheck",
                              "buttonPanelOuter", "newButton", "saveButton", "fontButton", "logoButton",
                              "printButton", "exitButton", "deleteButton", "setupButton"})
        EXPECT_TRUE(find<QWidget>(shown)->isVisible()) << shown;
    EXPECT_FALSE(find<QCheckBox>("companyCheck")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("signedCheck")->isChecked());
}

TEST_F(MainWindowLayout, controlsStandAtTheirTwipPositions)
{
    openWindow();
    using ui::twipsRect;
    EXPECT_EQ(find<QWidget>("bodyEditor")->geometry(), twipsRect(1185, 1530, 4830, 1110));
    EXPECT_EQ(find<QWidget>("logoBox")->geometry(), QRect(220, 183, 37, 37));
    EXPECT_EQ(find<QWidget>("titleBox2")->geometry(), twipsRect(2600, 360, 2200, 365));
    EXPECT_EQ(find<QWidget>("makeBox")->geometry(), twipsRect(625, 315, 2370, 240));
    EXPECT_EQ(find<QWidget>("setupButton")->geometry(), twipsRect(1140, 3255, 980, 1555));
    EXPECT_EQ(find<QWidget>("skipCell4")->geometry(), twipsRect(1335, 1455, 855, 495));
    EXPECT_EQ(find<QWidget>("cardPicture")->size(), QSize(640, 480));
}

TEST_F(MainWindowLayout, captionsFontsAndLimitsAreTheLayouts)
{
    openWindow(false);  // before the first showing replaces the captions with a template's
    const QStringList captions = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    const char* captionBoxes[] = {"registrationCaption", "makeCaption", "serialCaption", "tachCaption",
                                  "totalTimeCaption", "smohCaption"};
    const char* valueBoxes[] = {"registrationBox", "makeBox", "serialBox", "tachBox", "totalTimeBox",
                                "smohBox"};
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
    EXPECT_EQ(find<QLabel>("skipCell1")->text(), " ");
    for (int i = 2; i <= 6; ++i)
        EXPECT_EQ(find<QLabel>(qPrintable(QStringLiteral("Label22_%1").arg(i)))->text(), "X");
    EXPECT_EQ(find<QLineEdit>("copiesBox")->text(), "1");
    EXPECT_EQ(find<QPushButton>("setupButton")->text(), "Setup");
    EXPECT_EQ(find<QPushButton>("setupButton")->palette().color(QPalette::ButtonText), QColor(128, 128, 255));
}

TEST_F(MainWindowLayout, eachPageArrowPointsTheWayItsZonePages)
{
    openWindow();
    const QImage card = find<QLabel>("cardPicture")->pixmap().toImage();
    const QPoint cardCorner = find<QWidget>("cardPicture")->pos();
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
    auto* setup = find<QPushButton>("setupButton");
    const QColor lightBlue(128, 128, 255);
    ASSERT_TRUE(setup->isEnabled());
    EXPECT_GT(pixelsOf(setup->grab().toImage(), lightBlue), 0);
    find<QLineEdit>("makeCaption")->setText("Model");  // editing disables Setup
    ASSERT_FALSE(setup->isEnabled());
    const QImage disabled = setup->grab().toImage();
    EXPECT_EQ(pixelsOf(disabled, lightBlue), 0);
    EXPECT_GT(pixelsOf(disabled, setup->palette().color(QPalette::Disabled, QPalette::ButtonText)), 0);
}

TEST_F(MainWindowLayout, theCardsRuledLinesNeverStrikeThroughTheSignatoryHint)
{
    openWindow();
    find<QCheckBox>("signedCheck")->setChecked(true);
    const QWidget* hint = find<QWidget>("signatoryHint");
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
