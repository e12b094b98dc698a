#include "MainWindowLayout.h"

#include "CardPicture.h"
#include "ClickLabel.h"
#include "LogoBox.h"
#include "ui/FormLayout.h"

#include "store/ShopRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <vector>

namespace tagwright::mainwindow {

namespace {

using ui::caption;
using ui::lineEdit;
using ui::place;
using ui::setBackground;

QFont font(const QString& family, double points, bool bold = false)
{
    return ui::fontOf(family, points, bold);
}

void buildCard(QWidget* area, MainWindowControls& c)
{
    c.cardPicture = place<QLabel>(area, {"cardPicture", "Image1"},
                                  {60, 270, 640 * ui::TwipsPerPixel, 480 * ui::TwipsPerPixel});
    c.cardPicture->setPixmap(QPixmap::fromImage(drawCardPicture()));

    const QRect titleTabs[3] = {{1200, 365, 2200, 365}, {2600, 360, 2200, 365}, {3700, 360, 2200, 365}};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "titleBox" + QByteArray::number(i + 1);
        const QByteArray control = "Text1_" + QByteArray::number(i);
        c.titleBoxes[i] = lineEdit(area, {name.constData(), control.constData()}, titleTabs[i], 20);
        setBackground(c.titleBoxes[i], QColor(255, 255, 0));
    }

    c.bodyBox = place<QPlainTextEdit>(area, {"bodyEditor", "Text2"}, {1185, 1530, 4830, 1110});
    // A tab character in a label's text would print as a gap of no fixed width: Tab moves
    // on to the next control, as in any form.
    c.bodyBox->setTabChangesFocus(true);
    c.logoHint = caption(area, {"logoHint", "Label1"},
                         QStringLiteral("Logo at right prints in upper left corner of label"),
                         {1200, 2790, 1335, 510});
    c.logoHint->setFont(font(QStringLiteral("Arial"), 7.5));
    c.logoBox = place<LogoBox>(area, {"logoBox", "Picture1"}, {3300, 2745, 555, 555});
    c.dateBox = lineEdit(area, {"dateBox", "Text9"}, {4590, 2745, 1245, 285});
    c.companyCheck = place<QCheckBox>(area, {"companyCheck", "Check1"}, {4575, 3060, 1410, 240},
                                      QStringLiteral("Company Info"));
    c.signedCheck = place<QCheckBox>(area, {"signedCheck", "Check2"}, {4725, 3495, 975, 240},
                                     QStringLiteral("Signed"));

    c.signatoryList = place<QComboBox>(area, {"signatoryList", "Combo2"}, {2520, 4080, 3600, 315});
    c.signatoryList->setEditable(true);
    c.signatoryList->setInsertPolicy(QComboBox::NoInsert);
    c.signatoryList->hide();
    c.signatoryHint = caption(area, {"signatoryHint", "Label31"},
                              QStringLiteral("Select or enter signatory's name; F2 for the certificate. "
                                             "Leave blank to print line only over \"Authorized Signature\"."),
                              {2505, 4440, 3645, 450});
    c.signatoryHint->setFont(font(QStringLiteral("Arial"), 7));
    // Two lines of text stand across the card's ruled lines at every scale: the hint is set
    // on a patch of plain card a little wider than its text, so no rule strikes through it
    // or runs into its first letter.
    constexpr int PatchMargin = 6;  // pixels
    c.signatoryHint->setGeometry(c.signatoryHint->geometry().adjusted(-PatchMargin, 0, PatchMargin, 0));
    c.signatoryHint->setContentsMargins(PatchMargin, 0, PatchMargin, 0);
    setBackground(c.signatoryHint, Qt::white);
    c.signatoryHint->hide();
    c.logoPathHolder = place<QLabel>(area, {"logoPathHolder", "Label30"}, {0, 0, 3120, 255});
    c.logoPathHolder->hide();

    const QRect zones[4] = {{315, 2535, 750, 810}, {6030, 2520, 750, 810},
                            {6045, 3510, 750, 1095}, {360, 3555, 750, 1020}};
    const char* zoneNames[4] = {"nextZone1", "nextZone2", "previousZone1", "previousZone2"};
    for (int i = 0; i < 4; ++i) {
        const QByteArray control = "Label13_" + QByteArray::number(i + 1);
        c.pageZones[i] = place<ClickLabel>(area, {zoneNames[i], control.constData()}, zones[i]);
        c.pageZones[i]->setCursor(Qt::PointingHandCursor);
    }

    struct BarRow { int lefts[3]; int top; int width; int height; QColor colour; };
    const BarRow rows[3] = {{{1020, 2595, 4170}, 5400, 1575, 255, QColor(192, 192, 0)},
                            {{1125, 2700, 4275}, 5655, 1395, 240, QColor(128, 128, 0)},
                            {{1305, 2880, 4455}, 5895, 1305, 180, QColor(64, 64, 0)}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int index = row * 3 + column;
            const QByteArray name = "tabBar" + QByteArray::number(1 + index);
            const QByteArray control = "Label" + QByteArray::number(4 + index);
            QLabel* bar = place<QLabel>(area, {name.constData(), control.constData()},
                                        {rows[row].lefts[column], rows[row].top, rows[row].width, rows[row].height});
            setBackground(bar, rows[row].colour);
            bar->setFrameShape(QFrame::Box);
            c.tabBars[index] = bar;
        }
    }
}

void buildHeaderPanel(QWidget* area, MainWindowControls& c)
{
    c.headerPanel = place<QFrame>(area, {"headerPanel", "Panel3D1"}, {1140, 675, 4875, 855});
    c.headerPanel->setFrameShape(QFrame::StyledPanel);
    c.headerPanel->setAutoFillBackground(true);

    struct Line { ui::WidgetName captionName; const char* caption; int captionLeft; int row;
                  ui::WidgetName valueName; int valueLeft; int valueWidth; int maxLength; };
    const Line lines[6] = {
        {{"registrationCaption", "Text19"}, "Reg #", 15, 0, {"registrationBox", "Text3"}, 625, 915, 7},
        {{"makeCaption", "Text20"}, "Make", 15, 1, {"makeBox", "Text4"}, 625, 2370, 30},
        {{"serialCaption", "Text21"}, "Serial", 15, 2, {"serialBox", "Text5"}, 625, 1515, 13},
        {{"tachCaption", "Text16"}, "Tach", 3255, 0, {"tachBox", "Text6"}, 3870, 945, 8},
        {{"totalTimeCaption", "Text17"}, "T.T.", 3255, 1, {"totalTimeBox", "Text7"}, 3870, 945, 8},
        {{"smohCaption", "Text18"}, "SMOH", 3255, 2, {"smohBox", "Text8"}, 3870, 945, 8},
    };
    const int captionTops[3] = {30, 300, 570};
    const int valueTops[3] = {45, 315, 585};
    const QFont captionFont = font(QStringLiteral("Arial"), 6.75, true);
    for (int i = 0; i < 6; ++i) {
        const Line& line = lines[i];
        QLineEdit* captionBox = lineEdit(c.headerPanel, line.captionName,
                                         {line.captionLeft, captionTops[line.row], 570, 285}, 6);
        captionBox->setFont(captionFont);
        captionBox->setText(QString::fromLatin1(line.caption));
        captionBox->setFrame(false);
        c.captionBoxes[i] = captionBox;
        c.valueBoxes[i] = lineEdit(c.headerPanel, line.valueName,
                                   {line.valueLeft, valueTops[line.row], line.valueWidth, 240}, line.maxLength);
    }
}

QPushButton* commandButton(QWidget* parent, ui::WidgetName name, const QString& text, int left, int top,
                           int width)
{
    auto* button = place<QPushButton>(parent, name, {left, top, width, 1555}, text);
    button->setFont(font(QStringLiteral("MS Sans Serif"), 9.75, true));
    return button;
}

void buildButtonColumn(QWidget* area, MainWindowControls& c)
{
    c.buttonPanelOuter = ui::panel(area, {"buttonPanelOuter", "Panel3D5"}, {6910, 0, 2645, 6900});
    c.buttonPanelInner = ui::panel(c.buttonPanelOuter, {"buttonPanelInner", "Panel3D4"},
                                   {225, 195, 2280, 6520});
    c.buttonPanelInner->setFrameShadow(QFrame::Sunken);
    QWidget* p = c.buttonPanelInner;
    c.newButton = commandButton(p, {"newButton", "Command3D1"}, QStringLiteral("New"), 165, 165, 985);
    c.fontButton = commandButton(p, {"fontButton", "Command3D3"}, QStringLiteral("Font"), 1140, 165, 980);
    c.deleteButton = commandButton(p, {"deleteButton", "Command3D8"}, QStringLiteral("Delete"), 165, 1710,
                                   985);
    c.logoButton = commandButton(p, {"logoButton", "Command3D5"}, QStringLiteral("Logo"), 1140, 1710, 980);
    c.logoButton->setFont(font(QStringLiteral("Arial"), 9.75, true));
    c.printButton = commandButton(p, {"printButton", "Command3D6"}, QStringLiteral("Print"), 165, 3255, 985);
    c.setupButton = commandButton(p, {"setupButton", "Command3D9"}, QStringLiteral("Setup"), 1140, 3255, 980);
    c.exitButton = commandButton(p, {"exitButton", "Command3D7"}, QStringLiteral("Exit"), 165, 4800, 985);
    c.saveButton = commandButton(p, {"saveButton", "Command3D2"}, QStringLiteral("Save"), 1140, 4800, 980);

}

void buildPrintPanel(QWidget* area, MainWindowControls& c)
{
    QFrame* print = ui::panel(area, {"printPanel", "Panel3D3"}, {4275, 1875, 2655, 3615});
    c.printPanel = print;
    c.skipHint = caption(print, "SkipHint", QStringLiteral("Place \"X\" within label(s) to skip. "),
                         {435, 360, 1860, 510});
    const int lefts[2] = {435, 1335};
    const int tops[3] = {930, 1455, 1980};
    const QFont cellFont = font(QStringLiteral("MS Sans Serif"), 24, true);
    for (int i = 0; i < 6; ++i) {
        const QByteArray name = "skipCell" + QByteArray::number(i + 1);
        const QByteArray control = "Label22_" + QByteArray::number(i + 1);
        ClickLabel* cell = place<ClickLabel>(print, {name.constData(), control.constData()},
                                             {lefts[i % 2], tops[i / 2], 855, 495},
                                             i == 0 ? QStringLiteral(" ") : QStringLiteral("X"));
        setBackground(cell, Qt::white);
        cell->setFont(cellFont);
        cell->setAlignment(Qt::AlignCenter);
        cell->setFrameShape(QFrame::Box);
        // Reached with Tab and marked with Space, as well as by the mouse.
        cell->setFocusPolicy(Qt::TabFocus);
        c.skipCells[i] = cell;
    }
    caption(print, "CopiesCaption", QStringLiteral("Copies of label"), {345, 2670, 1500, 255});
    // One digit more than the most copies allowed, so that an extra digit is refused in
    // words rather than cut off unseen ("1000" must not print 100); wide enough to show
    // all four.
    c.copiesBox = lineEdit(print, {"copiesBox", "Text15"}, {1875, 2640, 525, 315}, 4);
    c.copiesBox->setText(QStringLiteral("1"));
    c.printOkButton = place<QPushButton>(print, {"printOkButton", "Command3D10"}, {180, 3030, 1110, 420},
                                         QStringLiteral("OK"));
    c.printCancelButton = place<QPushButton>(print, {"printCancelButton", "Command3D11"}, {1350, 3030, 1110,
                                                                                           420},
                                             QStringLiteral("Cancel"));
    print->hide();
}

// Tab walks the card from top to bottom as it reads: title, the header lines (each caption
// before its value, in the order Enter takes through the values), body, date, the two
// options and the signatory, then the buttons.
void setTabOrder(const MainWindowControls& c)
{
    std::vector<QWidget*> chain(c.titleBoxes.begin(), c.titleBoxes.end());
    for (std::size_t line = 0; line < c.captionBoxes.size(); ++line) {
        chain.push_back(c.captionBoxes[line]);
        chain.push_back(c.valueBoxes[line]);
    }
    for (QWidget* next : std::initializer_list<QWidget*>{c.bodyBox, c.dateBox, c.companyCheck,
                                                         c.signedCheck, c.signatoryList, c.newButton})
        chain.push_back(next);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace

QSize mainWindowInnerSize()
{
    return {ui::twipsToPixels(9555), ui::twipsToPixels(7500)};
}

MainWindowControls buildMainWindowLayout(QWidget* area)
{
    MainWindowControls controls;
    buildCard(area, controls);
    buildHeaderPanel(area, controls);
    buildButtonColumn(area, controls);
    buildPrintPanel(area, controls);
    setTabOrder(controls);
    return controls;
}

}  // namespace tagwright::mainwindow
