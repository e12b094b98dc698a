#pragma once

#include "printing/PrintRequest.h"
#include "store/Result.h"
#include "store/ShopRecord.h"

#include <QObject>

namespace tagwright::store {
class Database;
}

namespace tagwright::session {

// The shop's settings as a value with two states: as stored (read from the shop record, or
// last saved) and as edited in the setup panel. Printing takes the stored settings; the setup
// panel shows and changes the edited ones, and saving makes them the stored ones. The phone
// is kept in the setup database too.
class ShopSettings : public QObject {
    Q_OBJECT
public:
    ShopSettings(store::Database& mainDatabase, store::Database& setupDatabase,
                 QObject* parent = nullptr);

    const store::ShopRecord& stored() const { return m_stored; }
    const store::ShopRecord& edited() const { return m_edited; }
    // The setup panel's fields; the record's identity and version stay as read.
    void setEdited(const store::ShopRecord& edited);

    // Reads the shop record as it is stored now; both states take it. With no record
    // stored, the edited settings stay as they are (the panel's boxes keep what they show).
    store::StoreError load();
    // Writes the edited settings over the record as it was read (refused with
    // ChangedMeanwhile when another workstation saved it since), and the phone into the
    // setup record; the stored settings are then the edited ones, as typed.
    store::StoreError save();
    // The stock the print command prints on, as stored now: read afresh, since another
    // workstation may have changed it. A record that cannot be read is an error, never a
    // guess.
    store::Result<printing::LabelStock> printedStock() const;

Q_SIGNALS:
    void storedChanged();
    void editedChanged();

private:
    store::Database& m_mainDatabase;
    store::Database& m_setupDatabase;
    store::ShopRecord m_stored;
    store::ShopRecord m_edited;
};

}  // namespace tagwright::session
