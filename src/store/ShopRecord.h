#pragma once

#include "Result.h"
#include "StoreBackend.h"

#include <QString>
#include <QVariant>

#include <array>

namespace tagwright::store {

class Database;

// The two label stocks a shop prints on.
enum class LabelStock { Laser, Tractor };

// The stored "LabelStyle" field. Two readers have always read it by different rules, and a
// value other than 1 or 2 (written by some other program) tells them apart; this system
// writes only 1 (laser) or 2 (tractor).
struct LabelStyle {
    QVariant stored;  // null when missing

    // What the print command prints on: only a stored 2 is tractor feed.
    LabelStock printedStock() const;
    // What the setup panel's options show: a missing value or 1 is laser, any other value
    // tractor feed.
    LabelStock setupPanelStock() const;

    static LabelStyle of(LabelStock stock);

    bool operator==(const LabelStyle&) const = default;
};

// The longest repair station number the setup panel takes: the longest still prints inside
// the company block.
constexpr int RepairStationLength = 16;

// The shop-wide settings of the first "CompanyInfo" record.
struct ShopRecord {
    RecordKey key;  // the record read, and its version; id -1 when the table has none
    QString companyName;
    QString address;
    QString cityStateZip;
    QString phone;
    // Print position adjustments in twips, as the boxes show them ("0" when missing), in
    // the order top, middle, bottom row, left, right column. Written back by offsetFromText.
    std::array<QString, 5> offsetTexts{QStringLiteral("0"), QStringLiteral("0"),
                                       QStringLiteral("0"), QStringLiteral("0"),
                                       QStringLiteral("0")};
    LabelStyle labelStyle;
    QString defaultLabel;  // the default template's title, or the empty text
    // The repair station's certificate number, printed in the company block; may be empty.
    QString repairStation;

    bool stored() const { return key.id >= 0; }
    bool operator==(const ShopRecord&) const = default;
};

// Reads the first record; a table without one gives the defaults, not stored.
Result<ShopRecord> readShopRecord(Database& main);

// Writes `record` over the first record in the version it was read (refused with
// ChangedMeanwhile or DeletedMeanwhile when it was changed or deleted since), or, read from
// an empty table, as the first record. The offsets are stored as numbers by offsetFromText.
// Returns the record as written, with its key.
Result<ShopRecord> writeShopRecord(Database& main, const ShopRecord& record);

// An offset box's text as stored, in twips: a number (blanks around it, optional sign,
// decimals and exponent) truncated toward zero; anything else is 0.
int offsetFromText(const QString& text);

// Writes the phone into the first "Setup" record, creating it when the table is empty.
StoreError writeSetupPhone(Database& setup, const QString& phone);

}  // namespace tagwright::store
