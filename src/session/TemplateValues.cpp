#include "TemplateValues.h"

#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

namespace tagwright::session {

namespace labels = store::schema::labels;
namespace fields = store::fields;

namespace {

const QString* const CaptionFields[6] = {&labels::LeftTop,  &labels::LeftMiddle,
                                         &labels::LeftBottom, &labels::LabelTop,
                                         &labels::LabelMiddle, &labels::LabelBottom};

}  // namespace

TemplateValues TemplateValues::read(const store::TableCursor& templates)
{
    TemplateValues values;
    values.fontName = fields::fontName(templates.value(labels::Font));
    values.fontSize = fields::fontSize(templates.value(labels::Size));
    values.bold = fields::bold(templates.value(labels::Bold));
    values.italic = fields::italic(templates.value(labels::Italic));
    values.logo = fields::text(templates.value(labels::Logo));
    values.printsCompany = fields::flag(templates.value(labels::Header));
    values.printsSignature = fields::flag(templates.value(labels::Signed));
    for (std::size_t i = 0; i < 6; ++i)
        values.captions[i] = fields::text(templates.value(*CaptionFields[i]));
    return values;
}

store::StoreError TemplateValues::setInto(store::TableCursor& templates) const
{
    // In the order shops' label programs have always written them.
    const std::pair<const QString&, QVariant> values[] = {
        {labels::Header, printsCompany ? 1 : 0},
        {labels::Signed, printsSignature ? 1 : 0},
        {labels::Font, fontName},
        {labels::Size, fontSize},
        {labels::Bold, bold},
        {labels::Italic, italic},
        {labels::Logo, logo},
        {labels::LabelTop, captions[3]},
        {labels::LabelMiddle, captions[4]},
        {labels::LabelBottom, captions[5]},
        {labels::LeftTop, captions[0]},
        {labels::LeftMiddle, captions[1]},
        {labels::LeftBottom, captions[2]},
    };
    for (const auto& [field, value] : values) {
        if (store::StoreError error = templates.setValue(field, value); !error.ok())
            return error;
    }
    return {};
}

}  // namespace tagwright::session
