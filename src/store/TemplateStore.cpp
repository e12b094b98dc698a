#include "TemplateStore.h"

#include "Database.h"
#include "Schema.h"

#include <QSqlRecord>

namespace tagwright::store {

namespace labels = schema::labels;

namespace {

// The caption fields in header order.
const QString* const CaptionFields[6] = {&labels::LeftTop,  &labels::LeftMiddle,
                                         &labels::LeftBottom, &labels::LabelTop,
                                         &labels::LabelMiddle, &labels::LabelBottom};

Template::FontNamed fontNamed(const QSqlRecord& fields)
{
    if (fields.value(labels::Font).isNull())
        return Template::FontNamed::None;
    for (const QString* field : {&labels::Size, &labels::Bold, &labels::Italic}) {
        if (fields.value(*field).isNull())
            return Template::FontNamed::Partly;
    }
    return Template::FontNamed::Fully;
}

Template templateFrom(qint64 id, const StoredRecord& record)
{
    const QSqlRecord& f = record.fields;
    Template t;
    t.key = {id, record.version};
    t.title = fields::text(f.value(labels::Description));
    t.body = fields::text(f.value(labels::Body));
    t.fontName = fields::fontName(f.value(labels::Font));
    t.fontSize = fields::fontSize(f.value(labels::Size));
    t.bold = fields::bold(f.value(labels::Bold));
    t.italic = fields::italic(f.value(labels::Italic));
    t.fontNamed = fontNamed(f);
    t.logo = fields::text(f.value(labels::Logo));
    t.printsCompany = fields::flag(f.value(labels::Header));
    t.printsSignature = fields::flag(f.value(labels::Signed));
    for (std::size_t i = 0; i < 6; ++i)
        t.captions[i] = fields::text(f.value(*CaptionFields[i]));
    return t;
}


// The fields `parts` of `t` write, in the order shops' label programs have always written
// them.
QSqlRecord recordOf(const Template& t, TemplateParts parts)
{
    QSqlRecord record;
    if (parts.testFlag(TemplatePart::Title))
        fields::append(record, labels::Description, t.title.isEmpty() ? QVariant() : QVariant(t.title));
    if (parts.testFlag(TemplatePart::Body))
        fields::append(record, labels::Body, fields::storedText(t.body));
    if (parts.testFlag(TemplatePart::Options)) {
        fields::append(record, labels::Header, t.printsCompany ? 1 : 0);
        fields::append(record, labels::Signed, t.printsSignature ? 1 : 0);
    }
    if (parts.testFlag(TemplatePart::Font)) {
        fields::append(record, labels::Font, fields::storedText(t.fontName));
        fields::append(record, labels::Size, t.fontSize);
        fields::append(record, labels::Bold, t.bold);
        fields::append(record, labels::Italic, t.italic);
    }
    if (parts.testFlag(TemplatePart::Logo))
        fields::append(record, labels::Logo, fields::storedText(t.logo));
    if (parts.testFlag(TemplatePart::Captions)) {
        // Right column first, as the template lists them.
        for (std::size_t i : {3, 4, 5, 0, 1, 2})
            fields::append(record, *CaptionFields[i], fields::storedText(t.captions[i]));
    }
    return record;
}

}  // namespace

QString storedBody(const QString& shownText)
{
    QString stored = shownText;
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return stored;
}

QString shownBody(const QString& storedText)
{
    QString shown = storedText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Result<QVector<TemplateTitle>> TemplateStore::titles() const
{
    QVector<QPair<qint64, QVariant>> column;
    if (StoreError error = m_database.backend().fieldColumn(schema::LabelsTable, labels::Description, column);
        !error.ok())
        return error;
    QVector<TemplateTitle> titles;
    titles.reserve(column.size());
    for (const auto& [id, title] : column)
        titles.append({id, title});
    return titles;
}

Result<std::optional<qint64>> TemplateStore::find(const QString& title) const
{
    qint64 id = -1;
    if (StoreError error = m_database.backend().findFirst(schema::LabelsTable, labels::Description, title, id);
        !error.ok())
        return error;
    return id < 0 ? std::nullopt : std::optional<qint64>(id);
}

StoreError TemplateStore::deletedMeanwhile() const
{
    return {DeletedMeanwhile, QStringLiteral("The template was deleted elsewhere since it was shown."),
            m_database.path()};
}

Result<Template> TemplateStore::load(qint64 id) const
{
    StoredRecord record;
    if (StoreError error = m_database.backend().read(schema::LabelsTable, id, record); !error.ok())
        return error;
    if (!record.found)
        return deletedMeanwhile();
    return templateFrom(id, record);
}

Result<Template> TemplateStore::save(const Template& changed, TemplateParts parts) const
{
    if (!changed.stored())
        return deletedMeanwhile();
    const QSqlRecord values = recordOf(changed, parts);
    if (!values.isEmpty()) {
        if (StoreError error = m_database.backend().update(schema::LabelsTable, changed.key, values);
            !error.ok())
            return error;
    }
    return load(changed.key.id);
}

Result<Template> TemplateStore::add(const Template& fresh, TemplateParts parts) const
{
    qint64 id = -1;
    if (StoreError error = m_database.backend().insert(schema::LabelsTable, recordOf(fresh, parts), id);
        !error.ok())
        return error;
    return load(id);
}

StoreError TemplateStore::remove(const RecordKey& key) const
{
    return m_database.backend().remove(schema::LabelsTable, key);
}

}  // namespace tagwright::store
