#include "ShopRecord.h"

#include "FieldValues.h"
#include "Schema.h"
#include "TableCursor.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace tagwright::store {

namespace company = schema::company;

namespace {

const QString OffsetFields[5] = {company::LabelTopUp, company::LabelMiddleUp,
                                 company::LabelBottomUp, company::LabelLeft, company::LabelRight};

// Opens the table's first record for writing, or a new one when there is none.
StoreError beginFirstRecord(TableCursor& cursor)
{
    if (cursor.bof() && cursor.eof())
        return cursor.addNew();
    if (!cursor.hasCurrent())
        cursor.moveFirst();
    return cursor.edit();
}

// A box left empty stores the empty text, not a missing value: QtSql binds a null QString
// as NULL.
QString storedText(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

StoreError writeAndReturnToFirst(TableCursor& cursor)
{
    StoreError error = cursor.update();
    if (!error.ok()) {
        cursor.cancelUpdate();
        return error;
    }
    cursor.moveFirst();
    return {};
}

}  // namespace

LabelStock LabelStyle::printedStock() const
{
    bool ok = false;
    const double style = stored.toDouble(&ok);
    return !stored.isNull() && ok && style == 2 ? LabelStock::Tractor : LabelStock::Laser;
}

LabelStock LabelStyle::setupPanelStock() const
{
    if (stored.isNull())
        return LabelStock::Laser;
    bool ok = false;
    const double style = stored.toDouble(&ok);
    return ok && style == 1 ? LabelStock::Laser : LabelStock::Tractor;
}

LabelStyle LabelStyle::of(LabelStock stock)
{
    return {QVariant(qint16(stock == LabelStock::Laser ? 1 : 2))};
}

StoreError readShopRecord(TableCursor& cursor, ShopRecord& record, bool* found)
{
    record = ShopRecord();
    if (found)
        *found = false;
    cursor.moveFirst();
    if (!cursor.hasCurrent())
        return {};
    if (StoreError error = cursor.readError(); !error.ok())
        return error;
    const auto text = [&cursor](const QString& field, const QString& fallback = QString()) {
        return fields::text(cursor.value(field), fallback);
    };
    record.companyName = text(company::CompanyName);
    record.address = text(company::CompanyAddress);
    record.cityStateZip = text(company::CompanyCSZ);
    record.phone = text(company::CompanyPhone);
    for (std::size_t i = 0; i < 5; ++i)
        record.offsetTexts[i] = text(OffsetFields[i], QStringLiteral("0"));
    record.labelStyle = {cursor.value(company::LabelStyle)};
    record.defaultLabel = text(company::DefLabel);
    record.repairStation = text(company::RepairStation);
    if (found)
        *found = true;
    return {};
}

StoreError writeShopRecord(TableCursor& cursor, const ShopRecord& record)
{
    if (StoreError error = beginFirstRecord(cursor); !error.ok())
        return error;
    cursor.setValue(company::CompanyName, storedText(record.companyName));
    cursor.setValue(company::CompanyAddress, storedText(record.address));
    cursor.setValue(company::CompanyCSZ, storedText(record.cityStateZip));
    cursor.setValue(company::CompanyPhone, storedText(record.phone));
    for (std::size_t i = 0; i < 5; ++i)
        cursor.setValue(OffsetFields[i], offsetFromText(record.offsetTexts[i]));
    cursor.setValue(company::LabelStyle, record.labelStyle.stored);
    cursor.setValue(company::DefLabel, storedText(record.defaultLabel));
    // A table that could not be given the field (a file another program held at the open)
    // still takes the other settings while no station is set.
    if (!record.repairStation.isEmpty() || cursor.hasField(company::RepairStation))
        cursor.setValue(company::RepairStation, storedText(record.repairStation));
    return writeAndReturnToFirst(cursor);
}

int offsetFromText(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$"));
    if (!number.match(text).hasMatch())
        return 0;
    bool ok = false;
    const double value = std::trunc(text.trimmed().toDouble(&ok));
    if (!ok || std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::clamp(value, lowest, highest));
}

StoreError writeSetupPhone(TableCursor& cursor, const QString& phone)
{
    if (StoreError error = beginFirstRecord(cursor); !error.ok())
        return error;
    cursor.setValue(schema::setup::CompanyPhone, storedText(phone));
    return writeAndReturnToFirst(cursor);
}

}  // namespace tagwright::store
