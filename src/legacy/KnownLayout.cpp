#include "KnownLayout.h"

#include "store/Schema.h"

namespace tagwright::legacy {

namespace {

namespace schema = store::schema;
using Type = KnownColumn::Type;

const QVector<KnownTable>& tables()
{
    namespace l = schema::labels;
    namespace c = schema::company;
    static const QVector<KnownTable> known{
        {schema::SetupTable,
         {{schema::setup::DataPath, Type::Text, 255}, {schema::setup::CompanyPhone, Type::Text, 20}}},
        {schema::LabelsTable,
         {{l::Description, Type::Text, 20}, {l::Body, Type::Memo}, {l::Font, Type::Text, 50},
          {l::Size, Type::Single}, {l::Bold, Type::Boolean}, {l::Italic, Type::Boolean},
          {l::Logo, Type::Text, 255}, {l::Header, Type::Integer}, {l::Signed, Type::Integer},
          {l::LabelTop, Type::Text, 6}, {l::LabelMiddle, Type::Text, 6}, {l::LabelBottom, Type::Text, 6},
          {l::LeftTop, Type::Text, 6}, {l::LeftMiddle, Type::Text, 6}, {l::LeftBottom, Type::Text, 6}}},
        {schema::MechanicsTable, {{schema::mechanics::Mechanics, Type::Text, 50}}},
        {schema::CompanyInfoTable,
         {{c::CompanyName, Type::Text, 50}, {c::CompanyAddress, Type::Text, 50},
          {c::CompanyCSZ, Type::Text, 50}, {c::CompanyPhone, Type::Text, 20},
          {c::LabelTopUp, Type::LongInteger}, {c::LabelMiddleUp, Type::LongInteger},
          {c::LabelBottomUp, Type::LongInteger}, {c::LabelLeft, Type::LongInteger},
          {c::LabelRight, Type::LongInteger}, {c::DefLabel, Type::Text, 20},
          {c::LabelStyle, Type::Integer}}},
    };
    return known;
}

}  // namespace

int KnownColumn::fixedWidth() const
{
    switch (type) {
    case Type::Integer: return 2;
    case Type::LongInteger: case Type::Single: return 4;
    default: return 0;
    }
}

int KnownTable::variableNumber(qsizetype column) const
{
    const bool memo = columns[column].type == KnownColumn::Type::Memo;
    int number = 0;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const KnownColumn::Type type = columns[i].type;
        const bool before = memo ? type == KnownColumn::Type::Text || (type == KnownColumn::Type::Memo && i < column)
                                 : type == KnownColumn::Type::Text && i < column;
        number += before;
    }
    return number;
}

int KnownTable::variableCount() const
{
    int count = 0;
    for (const KnownColumn& column : columns)
        count += column.isVariable();
    return count;
}

int KnownTable::fixedSize() const
{
    int size = 0;
    for (const KnownColumn& column : columns)
        size += column.fixedWidth();
    return size;
}

const KnownTable* knownTable(const QString& name)
{
    for (const KnownTable& table : tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

}  // namespace tagwright::legacy
