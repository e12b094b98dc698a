#include "SetupPanelLayout.h"

#include "ui/FormLayout.h"
#include "ui/Pictures.h"

#include "store/ShopRecord.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace tagwright::setup {

using ui::caption;
using ui::lineEdit;
using ui::place;
using namespace ui::palette;

namespace {

QImage drawPrinterIcon()
{
    QImage image = ui::sharpCanvas({56, 30}, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setPen(Black);
    p.setBrush(White);
    p.drawRect(16, 1, 24, 12);           // paper
    p.setBrush(Silver);
    p.drawRect(4, 11, 48, 14);           // body
    p.setBrush(Grey);
    p.drawRect(10, 22, 36, 6);           // tray
    p.setBrush(Teal);
    p.drawRect(42, 14, 5, 3);            // lamp
    return image;
}

QImage drawInformationIcon()
{
    QImage image = ui::sharpCanvas({30, 30}, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Navy, 2));
    p.setBrush(White);
    p.drawEllipse(2, 2, 26, 26);
    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    p.drawEllipse(13, 7, 4, 4);
    p.drawRect(13, 13, 4, 11);
    return image;
}

QToolButton* pictureButton(QWidget* parent, ui::WidgetName name, QRect twips, const QImage& picture)
{
    auto* button = place<QToolButton>(parent, name, twips);
    button->setIcon(QIcon(QPixmap::fromImage(picture)));
    button->setIconSize(button->size() - QSize(8, 8));
    return button;
}

void buildOffsetsFrame(QFrame* setup, SetupPanelControls& c)
{
    c.offsetsFrame = place<QGroupBox>(setup, {"offsetsFrame", "Frame3D1"}, {2790, 3405, 3765, 1815},
                                      QStringLiteral("Adjust Print Position on Labels"));
    QLabel* rows = caption(c.offsetsFrame, "RowsCaption", QStringLiteral("Rows"), {870, 270, 600, 240});
    QLabel* columns = caption(c.offsetsFrame, "ColumnsCaption", QStringLiteral("Columns"), {2460, 270, 900, 240});
    rows->setFont(ui::fontOf(QStringLiteral("Arial"), 8, true));
    columns->setFont(ui::fontOf(QStringLiteral("Arial"), 8, true));
    caption(c.offsetsFrame, "RowsHint", QStringLiteral("Positive number shifts printing down"), {60, 570, 795, 1185});
    caption(c.offsetsFrame, "ColumnsHint", QStringLiteral("Positive number shifts printing right"),
            {2310, 975, 1380, 690});

    // The offset boxes belong to the panel and lie over the frame's area. Four characters
    // take -999 to 9999 twips: an upward shift of 170 twips (3 mm) needs the fourth.
    constexpr int OffsetLength = 4;
    c.offsetBoxes = {lineEdit(setup, {"topRowOffsetBox", "Text22"}, {3810, 3945, 555, 315}, OffsetLength),
                     lineEdit(setup, {"middleRowOffsetBox", "Text24"}, {3810, 4305, 555, 315}, OffsetLength),
                     lineEdit(setup, {"bottomRowOffsetBox", "Text26"}, {3810, 4665, 555, 315}, OffsetLength),
                     lineEdit(setup, {"leftColumnOffsetBox", "Text23"}, {5145, 3960, 555, 315}, OffsetLength),
                     lineEdit(setup, {"rightColumnOffsetBox", "Text25"}, {5895, 3960, 555, 315},
                              OffsetLength)};
    for (QLineEdit* box : c.offsetBoxes) {
        box->setText(QStringLiteral("0"));
        box->raise();
    }
}

}  // namespace

QColor setupCaptionBlue()
{
    return {128, 128, 255};
}

SetupPanelControls buildSetupPanel(QWidget* area)
{
    SetupPanelControls c;
    QFrame* setup = ui::panel(area, {"setupPanel", "Panel3D2"}, {90, 855, 7035, 5460});
    c.panel = setup;
    caption(setup, "CompanyNameCaption", QStringLiteral("Company Name"), {255, 240, 1500, 255});
    caption(setup, "AddressCaption", QStringLiteral("Address"), {255, 555, 1500, 255});
    caption(setup, "CityStateZipCaption", QStringLiteral("City, State, Zip"), {255, 900, 1500, 255});
    caption(setup, "PhoneCaption", QStringLiteral("Phone"), {255, 1275, 1500, 255});
    c.companyNameBox = lineEdit(setup, {"companyNameBox", "Text10"}, {1770, 180, 4600, 315});
    c.addressBox = lineEdit(setup, {"addressBox", "Text11"}, {1770, 540, 4600, 315});
    c.cityStateZipBox = lineEdit(setup, {"cityStateZipBox", "Text12"}, {1770, 900, 4600, 315});
    c.phoneBox = lineEdit(setup, {"phoneBox", "Text13"}, {1770, 1260, 4600, 315});
    caption(setup, "RepairStationCaption", QStringLiteral("Repair Station No."), {255, 1635, 1500, 255});
    c.repairStationBox = lineEdit(setup, "RepairStationBox", {1770, 1620, 2400, 315}, store::RepairStationLength);
    c.repairStationBox->setToolTip(QStringLiteral("The station's certificate number, printed in the company "
                                                  "block. Leave empty when the shop is no repair station."));

    caption(setup, "LabelFormatCaption", QStringLiteral("Label Format"), {240, 2355, 1500, 255});
    c.laserOption = place<QRadioButton>(setup, {"laserOption", "Option3D1"}, {1755, 2100, 3885, 360},
                                        QStringLiteral("Laser / Inkjet Label (3.3 x 4)"));
    c.tractorOption = place<QRadioButton>(setup, {"tractorOption", "Option3D2"}, {1755, 2445, 2745, 360},
                                          QStringLiteral("Tractor Feed Label (5.75 x 3)"));
    c.laserOption->setChecked(true);

    caption(setup, "DefaultLabelCaption", QStringLiteral("Default label"), {240, 3000, 1500, 255});
    c.defaultLabelList = place<QComboBox>(setup, {"defaultLabelList", "Combo1"}, {1755, 2925, 3705, 315});
    c.defaultLabelList->setEditable(false);

    caption(setup, "PrinterSetupCaption", QStringLiteral("Printer set-up"), {300, 3405, 1500, 255});
    c.printerSetupButton = pictureButton(setup, {"printerSetupButton", "Command3D4"}, {360, 3720, 1020, 585},
                                         drawPrinterIcon());
    c.printerSetupButton->setToolTip(QStringLiteral("Printer set-up"));
    c.informationButton = pictureButton(setup, {"informationButton", "Command3D12"}, {360, 4530, 1020, 585},
                                        drawInformationIcon());
    c.informationButton->setToolTip(QStringLiteral("About Tagwright"));

    c.cancelButton = place<QPushButton>(setup, "SetupCancelButton", {1500, 4740, 1125, 375},
                                        QStringLiteral("Cancel"));
    c.cancelButton->setAutoDefault(false);

    buildOffsetsFrame(setup, c);
    setup->hide();
    return c;
}

}  // namespace tagwright::setup
