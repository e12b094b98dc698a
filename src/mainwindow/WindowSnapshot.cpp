#include "WindowSnapshot.h"

#include "ClickLabel.h"
#include "LogoBox.h"
#include "MainState.h"
#include "MainWindow.h"

#include "printing/BoxText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tagwright::mainwindow {

printing::PrintRequest takeSnapshot(MainWindow& window)
{
    using namespace printing;
    const MainWindowControls& c = window.controls();
    PrintRequest request;
    LabelContent& label = request.label;
    // Caption and value boxes are in slot order: Reg #, Make, Serial, Tach, T.T., SMOH.
    for (HeaderSlot slot : AllHeaderSlots) {
        label.line(slot) = {c.captionBoxes[std::size_t(slot)]->text(),
                            c.valueBoxes[std::size_t(slot)]->text()};
    }
    label.date = c.dateBox->text();
    label.company = {c.companyNameBox->text(), c.addressBox->text(), c.cityStateZipBox->text(),
                     c.phoneBox->text()};
    label.printsCompany = c.companyCheck->isChecked();
    label.printsSignature = c.signedCheck->isChecked();
    label.signatory = c.signatoryList->currentText();

    // The box keeps line feeds; labels break lines at carriage return + line feed.
    label.body = c.bodyBox->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QFont bodyFont = c.bodyBox->font();
    label.bodyFont = {bodyFont.family(), float(bodyFont.pointSizeF()), bodyFont.bold(), bodyFont.italic()};
    label.logo = c.logoBox->pixels();

    SheetRequest& sheet = request.sheet;
    sheet.offsets.topRow = boxtext::offsetTwips(c.topRowOffset->text());
    sheet.offsets.middleRow = boxtext::offsetTwips(c.middleRowOffset->text());
    sheet.offsets.bottomRow = boxtext::offsetTwips(c.bottomRowOffset->text());
    sheet.offsets.leftColumn = boxtext::offsetTwips(c.leftColumnOffset->text());
    sheet.offsets.rightColumn = boxtext::offsetTwips(c.rightColumnOffset->text());
    sheet.copies = boxtext::leadingNumber(c.copiesBox->text());
    sheet.used = {};
    for (int cell = 1; cell <= 6; ++cell) {
        if (c.skipCells[std::size_t(cell - 1)]->text() == QStringLiteral("X"))
            sheet.used.insert(cell);
    }
    return request;
}

QString templateTitle(MainWindow& window)
{
    const MainWindowControls& c = window.controls();
    const int tab = qBound(0, int(window.state().TabPos), int(c.titleBoxes.size()) - 1);
    return c.titleBoxes[std::size_t(tab)]->text();
}

void writeBackFilledValues(MainWindow& window, const QVector<printing::ValueFill>& filled)
{
    for (const printing::ValueFill& fill : filled)
        window.controls().valueBoxes[std::size_t(fill.slot)]->setText(fill.text);
}

}  // namespace tagwright::mainwindow
