#include "ShopSettings.h"

namespace tagwright::session {

ShopSettings::ShopSettings(store::Database& mainDatabase, store::Database& setupDatabase,
                           QObject* parent)
    : QObject(parent), m_mainDatabase(mainDatabase), m_setupDatabase(setupDatabase)
{
}

void ShopSettings::setEdited(const store::ShopRecord& edited)
{
    store::ShopRecord next = edited;
    next.key = m_edited.key;
    if (next == m_edited)
        return;
    m_edited = next;
    Q_EMIT editedChanged();
}

store::StoreError ShopSettings::load()
{
    const store::Result<store::ShopRecord> read = store::readShopRecord(m_mainDatabase);
    if (!read)
        return read.error();
    m_stored = *read;
    if (read->stored())
        m_edited = *read;
    else
        m_edited.key = read->key;
    Q_EMIT storedChanged();
    Q_EMIT editedChanged();
    return {};
}

store::StoreError ShopSettings::save()
{
    const store::Result<store::ShopRecord> written = store::writeShopRecord(m_mainDatabase, m_edited);
    if (!written)
        return written.error();
    m_edited = *written;
    m_stored = *written;
    Q_EMIT storedChanged();
    return store::writeSetupPhone(m_setupDatabase, m_edited.phone);
}

store::Result<printing::LabelStock> ShopSettings::printedStock() const
{
    const store::Result<store::ShopRecord> read = store::readShopRecord(m_mainDatabase);
    if (!read)
        return read.error();
    return read->labelStyle.printedStock() == store::LabelStock::Tractor ? printing::LabelStock::Tractor
                                                                         : printing::LabelStock::Laser;
}

}  // namespace tagwright::session
