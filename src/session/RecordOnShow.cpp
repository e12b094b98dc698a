#include "RecordOnShow.h"

#include "store/TableCursor.h"

namespace tagwright::session {

void RecordOnShow::take(const store::TableCursor& templates)
{
    clear();
    if (!templates.hasCurrent() || !templates.readError().ok()
        || templates.editMode() == store::TableCursor::EditMode::Add)
        return;
    m_key = templates.currentKey();
    m_values = TemplateValues::read(templates);
}

bool RecordOnShow::isCurrentIn(const store::TableCursor& templates) const
{
    if (!stored() || !templates.hasCurrent() || !templates.readError().ok())
        return false;
    const store::RecordKey current = templates.currentKey();
    return current.id == m_key.id && current.version == m_key.version;
}

}  // namespace tagwright::session
