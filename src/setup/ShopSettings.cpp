#include "ShopSettings.h"

#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace tagwright::setup {

namespace company = store::schema::company;

namespace {

const QString OffsetFields[5] = {company::LabelTopUp, company::LabelMiddleUp, company::LabelBottomUp,
                                 company::LabelLeft, company::LabelRight};

// Opens the table's first record for writing, or a new one when there is none.
store::StoreError beginFirstRecord(store::TableCursor& cursor)
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

store::StoreError writeAndReturnToFirst(store::TableCursor& cursor)
{
    store::StoreError error = cursor.update();
    if (!error.ok()) {
        cursor.cancelUpdate();
        return error;
    }
    cursor.moveFirst();
    return {};
}

}  // namespace

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

bool labelStyleIsLaser(const QVariant& stored)
{
    if (stored.isNull())
        return true;
    bool ok = false;
    const double style = stored.toDouble(&ok);
    return ok && style == 1;
}

qint16 labelStyleValue(bool laser)
{
    return laser ? 1 : 2;
}

store::StoreError saveCompanyInfo(store::TableCursor& cursor, const ShopSettings& settings)
{
    if (store::StoreError error = beginFirstRecord(cursor); !error.ok())
        return error;
    cursor.setValue(company::CompanyName, storedText(settings.companyName));
    cursor.setValue(company::CompanyAddress, storedText(settings.address));
    cursor.setValue(company::CompanyCSZ, storedText(settings.cityStateZip));
    cursor.setValue(company::CompanyPhone, storedText(settings.phone));
    for (int i = 0; i < 5; ++i)
        cursor.setValue(OffsetFields[i], offsetFromText(settings.offsetTexts[i]));
    cursor.setValue(company::LabelStyle, labelStyleValue(settings.laser));
    cursor.setValue(company::DefLabel, storedText(settings.defaultLabel));
    return writeAndReturnToFirst(cursor);
}

store::StoreError saveSetupPhone(store::TableCursor& cursor, const QString& phone)
{
    if (store::StoreError error = beginFirstRecord(cursor); !error.ok())
        return error;
    cursor.setValue(store::schema::setup::CompanyPhone, storedText(phone));
    return writeAndReturnToFirst(cursor);
}

}  // namespace tagwright::setup
