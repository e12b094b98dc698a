#include "Command.h"
#include "ServerOptions.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "stock/StockFit.h"
#include "store/Database.h"
#include "store/ShopRecord.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace tagwright::cli {

namespace {

const QString Printer = QStringLiteral("printer");

// `tagwright-cli fit-stock [--printer NAME]`: stores the print position adjustments that put
// labels into the six-up stock's die-cuts, for PDF files printed at actual size or for a
// printer's printable area, and says what it stored.
int runFitStock(const Invocation& invocation)
{
    if (!invocation.positional.isEmpty())
        throw Refusal{QStringLiteral("fit-stock takes no arguments besides its options.")};
    QRectF printable = stock::wholeSheet();
    QString fittedFor = QStringLiteral("PDF files printed at actual size");
    if (invocation.options.isSet(Printer)) {
        const QString name = invocation.options.value(Printer);
        QString message;
        int code = Failed;
        const std::optional<PrintableArea> area = invocation.environment.printableArea
            ? invocation.environment.printableArea(name, message, code) : std::nullopt;
        if (!area) {
            complain(invocation.err, message.isEmpty() ? QStringLiteral("Printers are not available.") : message);
            return code;
        }
        printable = area->twips;
        fittedFor = QStringLiteral("the printer \"%1\"").arg(area->printer);
    }
    const stock::StockFit fit = stock::fitToStock(printable);

    store::Database main;
    const store::StoreError opened = openShopDatabase(setupPathOf(invocation),
                                                      invocation.environment.dataFolder, main);
    store::Result<store::ShopRecord> shop = opened.ok() ? store::readShopRecord(main)
                                                        : store::Result<store::ShopRecord>(opened);
    if (!shop)
        return fail(invocation.err, shop.error());
    if (shop->labelStyle.printedStock() == store::LabelStock::Tractor) {
        // Tractor feed reads the top row and left column offsets for a stock of its own.
        complain(invocation.err, QStringLiteral("The shop prints on tractor-feed labels; fit-stock "
                                                "fits the laser / inkjet sheet. Choose that label "
                                                "format in Setup first."));
        return Refused;
    }
    shop->offsetTexts = stock::offsetTexts(fit.offsets);
    if (const store::Result<store::ShopRecord> written = store::writeShopRecord(main, *shop); !written)
        return fail(invocation.err, written.error());
    invocation.out << "Fitted for " << fittedFor << ": " << stock::describeOffsets(fit.offsets)
                   << " (twips)." << Qt::endl;
    return Ok;
}

}  // namespace

Command fitStockCommand()
{
    return Command{
        QStringLiteral("fit-stock"),
        QStringLiteral("Store the print position adjustments that fit labels to the six-up sheet."),
        QStringLiteral("Computes the five print position adjustments that centre each label in its "
                       "die-cut on the US Letter sheet of six 4 x 3-1/3 in labels (5164, 5264, 5524, "
                       "8164, 8254, 8464 and their equivalents), stores them as the setup panel "
                       "does and prints them. Without --printer the fit is for PDF files printed at "
                       "actual size (\"no scaling\"); with it, for that printer's printable area."),
        {setupOption(),
         QCommandLineOption(Printer, QStringLiteral("Fit for this system printer (\"default\" for "
                                                    "the default one)."),
                            QStringLiteral("NAME"))},
        {},
        runFitStock,
    };
}

}  // namespace tagwright::cli
