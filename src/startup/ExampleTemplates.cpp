#include "ExampleTemplates.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

namespace tagwright::startup {

namespace {

struct Example {
    const char* title;
    const char* body;
};

// Bodies keep the CR LF line breaks the label printing expects.
const Example Examples[] = {
    {"Annual Inspection",
     "I certify that this aircraft has been inspected in accordance with an annual inspection "
     "and was determined to be in airworthy condition.\r\n"
     "All applicable airworthiness directives and recurring ADs complied with. ELT battery due "
     "____. Transponder and static system check due ____."},
    {"100 Hour Inspection",
     "I certify that this aircraft has been inspected in accordance with a 100-hour inspection "
     "and was determined to be in airworthy condition.\r\n"
     "Compression: #1 __/80 #2 __/80 #3 __/80 #4 __/80."},
    {"Oil Change",
     "Drained engine oil and replaced oil filter. Cut open and inspected filter element: no "
     "metal found. Serviced with 8 qts aviation oil, safety-wired filter, ran engine and "
     "checked for leaks: none found. Aircraft returned to service."},
};

}  // namespace

store::StoreError addExampleTemplates(store::Database& main)
{
    namespace labels = store::schema::labels;
    store::TableCursor cursor;
    if (store::StoreError error = cursor.open(main, store::schema::LabelsTable); !error.ok())
        return error;
    for (const Example& example : Examples) {
        if (store::StoreError error = cursor.addNew(); !error.ok())
            return error;
        const std::pair<QString, QVariant> values[] = {
            {labels::Description, QString::fromUtf8(example.title)},
            {labels::Body, QString::fromUtf8(example.body)},
            {labels::Font, QStringLiteral("Arial")},
            {labels::Size, 8.0},
            {labels::Bold, false},
            {labels::Italic, false},
            {labels::Header, 1},
            {labels::Signed, 1},
            {labels::LabelTop, QStringLiteral("Tach")},
            {labels::LabelMiddle, QStringLiteral("T.T.")},
            {labels::LabelBottom, QStringLiteral("SMOH")},
            {labels::LeftTop, QStringLiteral("Reg #")},
            {labels::LeftMiddle, QStringLiteral("Make")},
            {labels::LeftBottom, QStringLiteral("Serial")},
        };
        for (const auto& [field, value] : values) {
            if (store::StoreError error = cursor.setValue(field, value); !error.ok())
                return error;
        }
        if (store::StoreError error = cursor.update(); !error.ok())
            return error;
    }
    return {};
}

}  // namespace tagwright::startup
