#pragma once

#include "store/StoreError.h"

#include <QString>
#include <QVariant>

#include <array>

namespace tagwright::store {
class TableCursor;
}

namespace tagwright::setup {

// The shop-wide settings as the setup panel's boxes hold them when it closes.
struct ShopSettings {
    QString companyName;
    QString address;
    QString cityStateZip;
    QString phone;
    // Offset box texts as typed, in the order top, middle, bottom row, left, right column.
    std::array<QString, 5> offsetTexts;
    bool laser = true;
    QString defaultLabel;   // the selected title, or the empty text
};

// An offset box's text as stored, in twips: a number (blanks around it, optional sign,
// decimals and exponent) truncated toward zero; anything else is 0. The boxes take only
// three characters, so range is not a concern beyond staying inside an int.
int offsetFromText(const QString& text);

// The stored label stock: an absent value or 1 is the laser sheet, anything else tractor
// feed. Written back, only 1 or 2 are ever stored.
bool labelStyleIsLaser(const QVariant& stored);
qint16 labelStyleValue(bool laser);

// Writes the settings into the first "CompanyInfo" record (creating it when the table is
// empty), phone included, so that start-up shows the phone last saved. The cursor ends
// on the first record; a refused write leaves nothing pending.
store::StoreError saveCompanyInfo(store::TableCursor& company, const ShopSettings& settings);

// Writes the phone into the first "Setup" record, creating it when the table is empty.
store::StoreError saveSetupPhone(store::TableCursor& setup, const QString& phone);

}  // namespace tagwright::setup
