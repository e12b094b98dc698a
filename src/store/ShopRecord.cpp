#include "ShopRecord.h"

#include "Database.h"
#include "FieldValues.h"
#include "Schema.h"

#include <QRegularExpression>
#include <QSqlRecord>

#include <cmath>
#include <limits>

namespace tagwright::store {

namespace company = schema::company;

namespace {

const QString OffsetFields[5] = {company::LabelTopUp, company::LabelMiddleUp,
                                 company::LabelBottomUp, company::LabelLeft, company::LabelRight};

// The first record of `table` (store order) as read now; not found when the table is empty.
Result<std::pair<qint64, StoredRecord>> firstRecord(Database& db, const QString& table)
{
    QVector<qint64> ids;
    if (StoreError error = db.backend().recordIds(table, ids); !error.ok())
        return error;
    StoredRecord record;
    if (ids.isEmpty())
        return std::pair{qint64(-1), record};
    if (StoreError error = db.backend().read(table, ids.first(), record); !error.ok())
        return error;
    return std::pair{ids.first(), record};
}


// Writes `values` over the record `key` names, or as a new record when it names none.
Result<qint64> writeRecord(Database& db, const QString& table, const RecordKey& key,
                           const QSqlRecord& values)
{
    if (key.id < 0) {
        qint64 id = -1;
        if (StoreError error = db.backend().insert(table, values, id); !error.ok())
            return error;
        return id;
    }
    if (StoreError error = db.backend().update(table, key, values); !error.ok())
        return error;
    return key.id;
}

// Whether the stored record `key` names has `field`. A new record is never given it: left
// out, a field reads as empty.
Result<bool> hasField(Database& db, const QString& table, const RecordKey& key, const QString& field)
{
    if (key.id < 0)
        return false;
    StoredRecord stored;
    if (StoreError error = db.backend().read(table, key.id, stored); !error.ok())
        return error;
    return stored.fields.indexOf(field) >= 0;
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

Result<ShopRecord> readShopRecord(Database& main)
{
    const Result<std::pair<qint64, StoredRecord>> first = firstRecord(main, schema::CompanyInfoTable);
    if (!first)
        return first.error();
    ShopRecord record;
    const auto& [id, stored] = *first;
    if (id < 0)
        return record;
    if (!stored.found) {
        return StoreError{DeletedMeanwhile, QStringLiteral("The shop settings were deleted while they were read."),
                          main.path()};
    }
    const auto text = [&stored](const QString& field, const QString& fallback = QString()) {
        return fields::text(stored.fields.value(field), fallback);
    };
    record.key = {id, stored.version};
    record.companyName = text(company::CompanyName);
    record.address = text(company::CompanyAddress);
    record.cityStateZip = text(company::CompanyCSZ);
    record.phone = text(company::CompanyPhone);
    for (std::size_t i = 0; i < 5; ++i)
        record.offsetTexts[i] = text(OffsetFields[i], QStringLiteral("0"));
    record.labelStyle = {stored.fields.value(company::LabelStyle)};
    record.defaultLabel = text(company::DefLabel);
    record.repairStation = text(company::RepairStation);
    return record;
}

Result<ShopRecord> writeShopRecord(Database& main, const ShopRecord& record)
{
    QSqlRecord values;
    fields::append(values, company::CompanyName, fields::storedText(record.companyName));
    fields::append(values, company::CompanyAddress, fields::storedText(record.address));
    fields::append(values, company::CompanyCSZ, fields::storedText(record.cityStateZip));
    fields::append(values, company::CompanyPhone, fields::storedText(record.phone));
    for (std::size_t i = 0; i < 5; ++i)
        fields::append(values, OffsetFields[i], offsetFromText(record.offsetTexts[i]));
    fields::append(values, company::LabelStyle, record.labelStyle.stored);
    fields::append(values, company::DefLabel, fields::storedText(record.defaultLabel));
    // A table that could not be given the field (a file another program held at the open)
    // still takes the other settings while no station is set.
    const Result<bool> stationField = record.repairStation.isEmpty()
                                          ? hasField(main, schema::CompanyInfoTable, record.key,
                                                     company::RepairStation)
                                          : Result<bool>(true);
    if (!stationField)
        return stationField.error();
    if (*stationField)
        fields::append(values, company::RepairStation, fields::storedText(record.repairStation.trimmed()));
    const Result<qint64> id = writeRecord(main, schema::CompanyInfoTable, record.key, values);
    if (!id)
        return id.error();
    StoredRecord written;
    if (StoreError error = main.backend().read(schema::CompanyInfoTable, *id, written); !error.ok())
        return error;
    ShopRecord stored = record;
    stored.repairStation = record.repairStation.trimmed();
    stored.key = {*id, written.version};
    return stored;
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

StoreError writeSetupPhone(Database& setup, const QString& phone)
{
    const Result<std::pair<qint64, StoredRecord>> first = firstRecord(setup, schema::SetupTable);
    if (!first)
        return first.error();
    QSqlRecord values;
    fields::append(values, schema::setup::CompanyPhone, fields::storedText(phone));
    return writeRecord(setup, schema::SetupTable, {first->first, first->second.version}, values).error();
}

}  // namespace tagwright::store
