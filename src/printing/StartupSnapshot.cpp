#include "StartupSnapshot.h"

#include "LogoPicture.h"

#include "store/Database.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

namespace tagwright::printing {

namespace {

using namespace store;

// The command line reports on one line: the engine's words and the file.
QString oneLine(const StoreError& error)
{
    return error.path.isEmpty() ? error.message
                                : QStringLiteral("%1 (%2)").arg(error.message, error.path);
}

StartupSnapshot failed(StartupSnapshot::Outcome outcome, const QString& message)
{
    StartupSnapshot result;
    result.outcome = outcome;
    result.message = message;
    return result;
}

void loadCompany(TableCursor& company, StartupSnapshot& result, QString& defLabel)
{
    if (!company.hasCurrent())
        return;
    namespace c = schema::company;
    LabelSnapshot& w = result.window;
    w.Text10 = fields::text(company.value(c::CompanyName));
    w.Text11 = fields::text(company.value(c::CompanyAddress));
    w.Text12 = fields::text(company.value(c::CompanyCSZ));
    w.Text13 = fields::text(company.value(c::CompanyPhone));
    const QString zero = QStringLiteral("0");
    w.Text22 = fields::text(company.value(c::LabelTopUp), zero);
    w.Text24 = fields::text(company.value(c::LabelMiddleUp), zero);
    w.Text26 = fields::text(company.value(c::LabelBottomUp), zero);
    w.Text23 = fields::text(company.value(c::LabelLeft), zero);
    w.Text25 = fields::text(company.value(c::LabelRight), zero);
    defLabel = fields::text(company.value(c::DefLabel));
    const QVariant style = company.value(c::LabelStyle);
    result.tractor = !style.isNull() && style.toDouble() == 2;
}

void loadTemplate(const TableCursor& labels, LabelSnapshot& w)
{
    namespace l = schema::labels;
    // A table without templates shows a blank new record: every field at its default.
    const auto value = [&](const QString& field) {
        return labels.hasCurrent() ? labels.value(field) : QVariant();
    };
    w.Text2 = fields::text(value(l::Body));
    w.Text2Font.FontName = fields::fontName(value(l::Font));
    w.Text2Font.FontSize = fields::fontSize(value(l::Size));
    w.Text2Font.FontBold = fields::bold(value(l::Bold));
    w.Text2Font.FontItalic = fields::italic(value(l::Italic));
    w.Picture1 = LogoPicture::boxPixelsFromFile(fields::text(value(l::Logo)));
    w.Check1 = fields::flag(value(l::Header)) ? 1 : 0;
    w.Check2 = fields::flag(value(l::Signed)) ? 1 : 0;
    w.Text16 = fields::text(value(l::LabelTop));
    w.Text17 = fields::text(value(l::LabelMiddle));
    w.Text18 = fields::text(value(l::LabelBottom));
    w.Text19 = fields::text(value(l::LeftTop));
    w.Text20 = fields::text(value(l::LeftMiddle));
    w.Text21 = fields::text(value(l::LeftBottom));
}

}  // namespace

StartupSnapshot loadStartupSnapshot(const QString& setupPath,
                                    const std::optional<QString>& templateTitle,
                                    const QString& programFolder)
{
    Database setupDb;
    if (StoreError error = setupDb.open(setupPath, schema::setupTables(), Database::Access::ReadOnly);
        !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    TableCursor setup;
    if (StoreError error = setup.open(setupDb, schema::SetupTable); !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    QString dataPath = setup.hasCurrent() ? fields::text(setup.value(schema::setup::DataPath))
                                          : QString();
    if (dataPath.isEmpty())
        dataPath = programFolder;

    Database mainDb;
    if (StoreError error = mainDb.openMain(dataPath, Database::Access::ReadOnly);
        !error.ok())
        return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    TableCursor company;
    TableCursor labels;
    for (auto [cursor, table] : {std::pair{&company, schema::CompanyInfoTable},
                                 std::pair{&labels, schema::LabelsTable}}) {
        if (StoreError error = cursor->open(mainDb, table); !error.ok())
            return failed(StartupSnapshot::Outcome::DatabaseFailed, oneLine(error));
    }

    StartupSnapshot result;
    QString defLabel;
    loadCompany(company, result, defLabel);
    if (templateTitle) {
        if (!labels.findFirst(schema::labels::Description, *templateTitle)) {
            return failed(StartupSnapshot::Outcome::UnknownTemplate,
                          QStringLiteral("No template is titled \"%1\".").arg(*templateTitle));
        }
    } else if (defLabel.isEmpty() || !labels.findFirst(schema::labels::Description, defLabel)) {
        labels.moveFirst();
    }
    loadTemplate(labels, result.window);
    if (labels.hasCurrent()) {
        result.templateTitle = fields::text(labels.value(schema::labels::Description));
        result.logoFile = fields::text(labels.value(schema::labels::Logo));
    }
    return result;
}

}  // namespace tagwright::printing
