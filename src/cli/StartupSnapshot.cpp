#include "StartupSnapshot.h"

#include "ShopDatabase.h"

#include "printing/BoxText.h"
#include "printing/LogoPicture.h"

#include "store/Database.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/ShopRecord.h"
#include "store/TableCursor.h"

namespace tagwright::cli {

using namespace printing;

namespace {

using namespace store;

// The command line reports on one line: the engine's words and the file.
QString oneLine(const StoreError& error)
{
    return error.path.isEmpty() ? error.message
                                : QStringLiteral("%1 (%2)").arg(error.message, error.path);
}

StartupSnapshot failed(StartupSnapshot::Outcome outcome, const QString& message)
{
    StartupSnapshot result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

StoreError loadCompany(Database& main, StartupSnapshot& result, QString& defLabel)
{
    const Result<ShopRecord> read = readShopRecord(main);
    if (!read)
        return read.error();
    const ShopRecord& shop = *read;
    result.request.label.company = {shop.companyName, shop.address, shop.cityStateZip, shop.phone,
                                    shop.repairStation};
    double* const offsets[5] = {&result.request.sheet.offsets.topRow,
                                &result.request.sheet.offsets.middleRow,
                                &result.request.sheet.offsets.bottomRow,
                                &result.request.sheet.offsets.leftColumn,
                                &result.request.sheet.offsets.rightColumn};
    for (std::size_t i = 0; i < 5; ++i)
        *offsets[i] = boxtext::offsetTwips(shop.offsetTexts[i]);
    defLabel = shop.defaultLabel;
    result.request.stock = shop.labelStyle.printedStock() == store::LabelStock::Tractor
                               ? printing::LabelStock::Tractor : printing::LabelStock::Laser;
    return {};
}

void loadTemplate(const TableCursor& labels, LabelContent& label)
{
    namespace l = schema::labels;
    // A table without templates shows a blank new record: every field at its default.
    const auto value = [&](const QString& field) {
        return labels.hasCurrent() ? labels.value(field) : QVariant();
    };
    label.body = fields::text(value(l::Body));
    label.bodyFont.FontName = fields::fontName(value(l::Font));
    label.bodyFont.FontSize = fields::fontSize(value(l::Size));
    label.bodyFont.FontBold = fields::bold(value(l::Bold));
    label.bodyFont.FontItalic = fields::italic(value(l::Italic));
    label.logo = LogoPicture::boxPixelsFromFile(fields::text(value(l::Logo)));
    label.printsCompany = fields::flag(value(l::Header));
    label.printsSignature = fields::flag(value(l::Signed));
    label.tach.caption = fields::text(value(l::LabelTop));
    label.totalTime.caption = fields::text(value(l::LabelMiddle));
    label.sinceOverhaul.caption = fields::text(value(l::LabelBottom));
    label.registration.caption = fields::text(value(l::LeftTop));
    label.make.caption = fields::text(value(l::LeftMiddle));
    label.serial.caption = fields::text(value(l::LeftBottom));
}

}  // namespace

StartupSnapshot loadStartupSnapshot(const QString& setupPath,
                                    const std::optional<QString>& templateTitle,
                                    const QString& programFolder, Database& mainDb,
                                    Database::Access access)
{
    if (StoreError error = openShopDatabase(setupPath, programFolder, mainDb, access == Database::Access::ReadWrite);
        !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    TableCursor labels;
    if (StoreError error = labels.open(mainDb, schema::LabelsTable); !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));

    StartupSnapshot result;
    QString defLabel;
    if (StoreError error = loadCompany(mainDb, result, defLabel); !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    if (templateTitle) {
        if (!labels.findFirst(schema::labels::Description, *templateTitle)) {
            return failed(StartupSnapshot::Outcome::UnknownTemplate,
                          QStringLiteral("No template is titled \"%1\".").arg(*templateTitle));
        }
    } else if (defLabel.isEmpty() || !labels.findFirst(schema::labels::Description, defLabel)) {
        labels.moveFirst();
    }
    loadTemplate(labels, result.request.label);
    if (labels.hasCurrent()) {
        result.templateTitle = fields::text(labels.value(schema::labels::Description));
        result.logoFile = fields::text(labels.value(schema::labels::Logo));
    }
    return result;
}

}  // namespace tagwright::cli
