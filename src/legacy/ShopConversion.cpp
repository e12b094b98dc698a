#include "ShopConversion.h"

#include "AccessHeader.h"
#include "store/Database.h"
#include "files/FilePlacement.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tagwright::legacy {

namespace schema = store::schema;

namespace {

struct Refusal {
    ConversionReport::Exit exit;
    QString message;
};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// One of the two files on its way: read whole before anything is written.
struct PendingFile {
    QString path;
    AccessHeader header;
    AccessContents contents;
    std::shared_ptr<files::NewFile> written;   // the new database, not yet in place
};

AccessContents readExpecting(const QString& path, DatabaseKind kind, const ConversionProgress& progress)
{
    if (progress.reading)
        progress.reading(path);
    AccessContents contents = readAccessFile(path, progress.rows);
    if (!contents.ok())
        throw Refusal{ConversionReport::Failed, contents.error};
    if (const QString mismatch = contentsMismatch(path, contents); !mismatch.isEmpty())
        throw Refusal{ConversionReport::Failed, mismatch};
    if (databaseKind(contents) != kind) {
        throw Refusal{ConversionReport::Failed,
                      QStringLiteral("%1 is not the shop's %2 database: it lacks the table%3 %4.")
                          .arg(shown(path),
                               kind == DatabaseKind::Setup ? QStringLiteral("setup") : QStringLiteral("main"),
                               kind == DatabaseKind::Setup ? QString() : QStringLiteral("s"),
                               kind == DatabaseKind::Setup ? QStringLiteral("\"Setup\"")
                                                           : QStringLiteral("\"Labels\", \"Mechanics\" and \"CompanyInfo\""))};
    }
    return contents;
}

QString storedDataPath(const PendingFile& setup)
{
    if (setup.header.isAccess()) {
        const AccessTable* table = setup.contents.table(schema::SetupTable);
        const int column = table->columnIndex(schema::setup::DataPath);
        return table->rows.isEmpty() || column < 0 ? QString() : table->rows.first()[column].toString();
    }
    store::Database db;
    if (store::StoreError error = db.open(setup.path, schema::setupTables(), store::Database::Access::ReadOnly);
        !error.ok())
        throw Refusal{ConversionReport::Failed, error.describe()};
    store::TableCursor cursor;
    if (store::StoreError error = cursor.open(db, schema::SetupTable); !error.ok())
        throw Refusal{ConversionReport::Failed, error.describe()};
    return cursor.value(schema::setup::DataPath).toString();
}

// A file that is no Access file must be a Tagwright database already; anything else is
// reported before a single file changes.
void expectTagwrightDatabase(const QString& path, const QStringList& tables)
{
    store::Database db;
    if (store::StoreError error = db.open(path, tables, store::Database::Access::ReadOnly); !error.ok())
        throw Refusal{ConversionReport::Failed,
                      QStringLiteral("%1 is neither an Access file nor a Tagwright database (%2).")
                          .arg(shown(path), error.message)};
}

// A legacy DataPath is usually a Windows folder. Where it is no folder here, the option
// decides, else the setup file's own folder when the main file sits there.
QString dataFolder(const ConversionRequest& request, const QString& stored, const QString& setupPath)
{
    if (request.dataPath) {
        if (!QFileInfo(*request.dataPath).isDir())
            throw Refusal{ConversionReport::Refused,
                          QStringLiteral("--data-path %1 is not a folder.").arg(shown(*request.dataPath))};
        return QFileInfo(*request.dataPath).absoluteFilePath();
    }
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    const QString setupFolder = QFileInfo(setupPath).absolutePath();
    if (QFileInfo(QDir(setupFolder).filePath(schema::MainFileName)).isFile())
        return setupFolder;
    throw Refusal{ConversionReport::Refused,
                  QStringLiteral("The setup database names the data folder \"%1\", which is not a folder "
                                 "here, and %2 holds no %3. Name the folder that holds %3 with "
                                 "--data-path FOLDER.")
                      .arg(stored, QDir::toNativeSeparators(setupFolder), schema::MainFileName)};
}

// The converted setup record names the folder the main file was actually found in.
void pointSetupAt(AccessContents& setup, const QString& folder)
{
    for (AccessTable& table : setup.tables) {
        if (table.name.compare(schema::SetupTable, Qt::CaseInsensitive) != 0)
            continue;
        int column = table.columnIndex(schema::setup::DataPath);
        if (column < 0) {
            table.columns.append({schema::setup::DataPath, AccessColumn::Kind::Text});
            for (auto& row : table.rows)
                row.append(QVariant());
            column = int(table.columns.size() - 1);
        }
        if (table.rows.isEmpty())
            table.rows.append(QVector<QVariant>(table.columns.size()));
        table.rows.first()[column] = folder;
    }
}

AccessTable* tableNamed(AccessContents& contents, const QString& name)
{
    for (AccessTable& table : contents.tables) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

// The shop's phone was kept twice: the setup panel showed and saved the setup record's copy,
// while labels printed the shop record's, which nothing wrote. Several workstations share the
// shop record only, so it gets the number the shop last typed.
void carryPhoneOver(AccessContents& setup, AccessContents& main, QStringList& lines)
{
    const AccessTable* setupTable = setup.table(schema::SetupTable);
    AccessTable* company = tableNamed(main, schema::CompanyInfoTable);
    if (!setupTable || !company || setupTable->rows.isEmpty() || company->rows.isEmpty())
        return;
    const int from = setupTable->columnIndex(schema::setup::CompanyPhone);
    const QString phone = from < 0 ? QString() : setupTable->rows.first()[from].toString();
    if (phone.isEmpty())
        return;
    int to = company->columnIndex(schema::company::CompanyPhone);
    if (to < 0) {
        company->columns.append({schema::company::CompanyPhone, AccessColumn::Kind::Text});
        for (auto& row : company->rows)
            row.append(QVariant());
        to = int(company->columns.size() - 1);
    }
    const QString printed = company->rows.first()[to].toString();
    if (printed == phone)
        return;
    company->rows.first()[to] = phone;
    lines << QStringLiteral("The shop's phone is now %1, as the setup panel showed it (labels "
                            "printed \"%2\" until now).").arg(phone, printed);
}

void discard(QVector<PendingFile>& files)
{
    // A new file that was not put in place removes itself.
    for (PendingFile& file : files)
        file.written.reset();
}

// Writes every new file under its temporary name first; only when all are on the disk are
// they swapped in, each original kept beside it.
void writeAndSwapIn(QVector<PendingFile>& pending, ConversionReport& report)
{
    QVector<ImportSummary> summaries;
    for (PendingFile& file : pending) {
        file.written = std::make_shared<files::NewFile>(file.path);
        const WriteResult written = writeTagwrightDatabase(file.contents, *file.written);
        if (!written.ok())
            throw Refusal{ConversionReport::Failed, written.error};
        summaries.append(written.summary);
    }
    // Main file first: a setup record already converted would point the window at an
    // Access file it cannot open.
    for (qsizetype i = 0; i < pending.size(); ++i) {
        PendingFile& file = pending[i];
        const QString keptAs = files::keptOriginalName(file.path);
        if (!file.written->replaceKeeping(keptAs))
            throw Refusal{ConversionReport::Failed, file.written->errorString()};
        file.written.reset();
        report.lines << QStringLiteral("Converted %1 (%2) to a Tagwright database; the original is kept as %3.")
                            .arg(shown(file.path), file.header.formatName(), shown(keptAs));
        for (const QString& line : summaries[i].lines())
            report.lines << QStringLiteral("  ") + line;
    }
}

}  // namespace

ConversionReport convertShopFiles(const ConversionRequest& request, const ConversionProgress& progress)
{
    ConversionReport report;
    QVector<PendingFile> pending;
    try {
        PendingFile setup{QFileInfo(request.setupPath).absoluteFilePath(), {}, {}, {}};
        if (!QFileInfo(setup.path).isFile())
            throw Refusal{ConversionReport::Failed, QStringLiteral("There is no setup database %1.").arg(shown(setup.path))};
        files::removeLeftovers(setup.path);
        setup.header = readAccessHeader(setup.path);
        if (setup.header.isAccess())
            setup.contents = readExpecting(setup.path, DatabaseKind::Setup, progress);
        const QString stored = storedDataPath(setup);
        const QString folder = dataFolder(request, stored, setup.path);

        PendingFile main{QDir(folder).filePath(schema::MainFileName), {}, {}, {}};
        if (!QFileInfo(main.path).isFile())
            throw Refusal{ConversionReport::Failed, QStringLiteral("There is no main database %1.").arg(shown(main.path))};
        files::removeLeftovers(main.path);
        main.header = readAccessHeader(main.path);
        if (main.header.isAccess())
            main.contents = readExpecting(main.path, DatabaseKind::Main, progress);
        else
            expectTagwrightDatabase(main.path, schema::mainTables());

        // Said only once the converted files are in place.
        QStringList phoneNote;
        if (setup.header.isAccess() && main.header.isAccess())
            carryPhoneOver(setup.contents, main.contents, phoneNote);
        if (setup.header.isAccess()) {
            if (QDir::cleanPath(stored) != QDir::cleanPath(folder))
                pointSetupAt(setup.contents, QDir::toNativeSeparators(folder));
            pending.append(setup);
        }
        if (main.header.isAccess())
            pending.prepend(main);
        if (pending.isEmpty()) {
            report.lines << QStringLiteral("Nothing to convert: %1 and %2 are Tagwright databases already.")
                                .arg(shown(setup.path), shown(main.path));
            return report;
        }

        if (progress.writing)
            progress.writing();
        writeAndSwapIn(pending, report);
        report.lines << phoneNote;
        if (!setup.header.isAccess())
            report.lines << QStringLiteral("%1 is a Tagwright database already.").arg(shown(setup.path));
        if (!main.header.isAccess())
            report.lines << QStringLiteral("%1 is a Tagwright database already.").arg(shown(main.path));
    } catch (const Refusal& refusal) {
        discard(pending);
        report.exit = refusal.exit;
        report.error = refusal.message;
    }
    return report;
}

}  // namespace tagwright::legacy
