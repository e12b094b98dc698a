#include "WindowSnapshot.h"

#include "LogoBox.h"
#include "MainWindowControls.h"

#include "printing/BoxText.h"
#include "session/CardSession.h"
#include "store/ShopRecord.h"

#include <QLineEdit>

namespace tagwright::mainwindow {

printing::PrintRequest takeSnapshot(const session::CardSession& session, const store::ShopRecord& shop,
                                    const MainWindowControls& c)
{
    using namespace printing;
    PrintRequest request;
    LabelContent& label = request.label;
    // Caption and value boxes are in slot order: Reg #, Make, Serial, Tach, T.T., SMOH.
    for (HeaderSlot slot : AllHeaderSlots) {
        label.line(slot) = {session.caption(int(slot)), session.aircraftValue(int(slot))};
    }
    label.date = session.date();
    label.company = {shop.companyName, shop.address, shop.cityStateZip, shop.phone};
    label.printsCompany = session.printsCompany();
    label.printsSignature = session.printsSignature();
    label.signatory = session.signatory();

    // The box keeps line feeds; labels break lines at carriage return + line feed.
    label.body = QString(session.body()).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    label.bodyFont = session.bodyFont();
    label.logo = c.logoBox->pixels();

    SheetRequest& sheet = request.sheet;
    sheet.offsets.topRow = boxtext::offsetTwips(shop.offsetTexts[0]);
    sheet.offsets.middleRow = boxtext::offsetTwips(shop.offsetTexts[1]);
    sheet.offsets.bottomRow = boxtext::offsetTwips(shop.offsetTexts[2]);
    sheet.offsets.leftColumn = boxtext::offsetTwips(shop.offsetTexts[3]);
    sheet.offsets.rightColumn = boxtext::offsetTwips(shop.offsetTexts[4]);
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
    return session.title();
}

void writeBackFilledValues(session::CardSession& session, const QVector<printing::ValueFill>& filled)
{
    for (const printing::ValueFill& fill : filled)
        session.setAircraftValue(int(fill.slot), fill.text);
}

}  // namespace tagwright::mainwindow
