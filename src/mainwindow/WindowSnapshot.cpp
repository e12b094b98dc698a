#include "WindowSnapshot.h"

#include "LogoBox.h"
#include "MainWindowControls.h"

#include "printing/BoxText.h"
#include "session/CardSession.h"

#include <QLineEdit>

namespace tagwright::mainwindow {

printing::PrintRequest takeSnapshot(const session::CardSession& session, const MainWindowControls& c)
{
    using namespace printing;
    PrintRequest request;
    LabelContent& label = request.label;
    // Caption and value boxes are in slot order: Reg #, Make, Serial, Tach, T.T., SMOH.
    for (HeaderSlot slot : AllHeaderSlots) {
        label.line(slot) = {session.caption(int(slot)), session.aircraftValue(int(slot))};
    }
    label.date = session.date();
    // The station number is stored without the blanks typed around it.
    label.company = {c.companyNameBox->text(), c.addressBox->text(), c.cityStateZipBox->text(),
                     c.phoneBox->text(), c.repairStationBox->text().trimmed()};
    label.printsCompany = session.printsCompany();
    label.printsSignature = session.printsSignature();
    label.signatory = session.signatory();

    // The box keeps line feeds; labels break lines at carriage return + line feed.
    label.body = QString(session.body()).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    label.bodyFont = session.bodyFont();
    label.logo = c.logoBox->pixels();

    SheetRequest& sheet = request.sheet;
    sheet.offsets.topRow = boxtext::offsetTwips(c.topRowOffset->text());
    sheet.offsets.middleRow = boxtext::offsetTwips(c.middleRowOffset->text());
    sheet.offsets.bottomRow = boxtext::offsetTwips(c.bottomRowOffset->text());
    sheet.offsets.leftColumn = boxtext::offsetTwips(c.leftColumnOffset->text());
    sheet.offsets.rightColumn = boxtext::offsetTwips(c.rightColumnOffset->text());
    sheet.copies = session.copies();
    sheet.used = {};
    for (int cell = 1; cell <= session::CardSession::SheetCells; ++cell) {
        if (session.cellUsed(cell))
            sheet.used.insert(cell);
    }
    return request;
}

QString templateTitle(const session::CardSession& session)
{
    const int tab = qBound(0, int(session.state().TabPos), session::CardSession::TitleTabs - 1);
    return session.title(tab);
}

void writeBackFilledValues(session::CardSession& session, const QVector<printing::ValueFill>& filled)
{
    for (const printing::ValueFill& fill : filled)
        session.setAircraftValue(int(fill.slot), fill.text);
}

}  // namespace tagwright::mainwindow
