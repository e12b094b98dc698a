#include "WindowSnapshot.h"

#include "ClickLabel.h"
#include "LogoBox.h"
#include "MainState.h"
#include "MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tagwright::mainwindow {

printing::LabelSnapshot takeSnapshot(MainWindow& window)
{
    const MainWindowControls& c = window.controls();
    printing::LabelSnapshot s;
    // Caption and value boxes in their fixed order: Reg #, Make, Serial, Tach, T.T., SMOH.
    QString* captions[] = {&s.Text19, &s.Text20, &s.Text21, &s.Text16, &s.Text17, &s.Text18};
    QString* values[] = {&s.Text3, &s.Text4, &s.Text5, &s.Text6, &s.Text7, &s.Text8};
    for (int i = 0; i < 6; ++i) {
        *captions[i] = c.captionBoxes[i]->text();
        *values[i] = c.valueBoxes[i]->text();
    }
    s.Text9 = c.dateBox->text();
    s.Text10 = c.companyNameBox->text();
    s.Text11 = c.addressBox->text();
    s.Text12 = c.cityStateZipBox->text();
    s.Text13 = c.phoneBox->text();
    s.Check1 = c.companyCheck->isChecked() ? 1 : 0;
    s.Check2 = c.signedCheck->isChecked() ? 1 : 0;
    s.Combo2 = c.signatoryList->currentText();

    // The box keeps line feeds; labels break lines at carriage return + line feed.
    s.Text2 = c.bodyBox->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QFont bodyFont = c.bodyBox->font();
    s.Text2Font = {bodyFont.family(), float(bodyFont.pointSizeF()), bodyFont.bold(), bodyFont.italic()};
    s.Picture1 = c.logoBox->pixels();

    s.Text22 = c.topRowOffset->text();
    s.Text24 = c.middleRowOffset->text();
    s.Text26 = c.bottomRowOffset->text();
    s.Text23 = c.leftColumnOffset->text();
    s.Text25 = c.rightColumnOffset->text();
    s.Text15 = c.copiesBox->text();
    for (int i = 0; i < 6; ++i)
        s.Label22[std::size_t(i)] = c.skipCells[std::size_t(i)]->text();
    return s;
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
        window.controls().valueBoxes[std::size_t(fill.box)]->setText(fill.text);
}

}  // namespace tagwright::mainwindow
