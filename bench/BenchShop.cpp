#include "store/Database.h"
#include "store/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlField>
#include <QSqlRecord>
#include <QTextStream>

// `bench_shop FOLDER LOGO BODY`: the shop that scripts/bench-floor prints from. Its one template
// is the label of the side-by-side comparison (bench/glabels_label.py writes the same label
// for gLabels 3 and holds its body, which the script hands over in the file BODY): the logo,
// the company block, six captions, the 600-character body in Arial 8.25 (printed at 10.25
// points) and the signature line. The header values, date and signatory come from the print
// command's options.

using namespace tagwright::store;

namespace {

StoreError insert(Database& db, const QString& table, const QList<std::pair<QString, QVariant>>& fields)
{
    QSqlRecord record;
    for (const auto& [name, value] : fields) {
        QSqlField field(name, value.metaType());
        field.setValue(value);
        record.append(field);
    }
    qint64 id = -1;
    return db.backend().insert(table, record, id);
}

StoreError makeShop(const QString& folder, const QString& logo, const QString& body)
{
    Database setup;
    if (StoreError error = setup.create(QDir(folder).filePath(schema::SetupFileName), schema::setupStatements());
        !error.ok())
        return error;
    if (StoreError error = insert(setup, schema::SetupTable, {{schema::setup::DataPath, folder}}); !error.ok())
        return error;
    Database main;
    if (StoreError error = main.create(QDir(folder).filePath(schema::MainFileName), schema::mainStatements());
        !error.ok())
        return error;
    namespace c = schema::company;
    if (StoreError error = insert(main, schema::CompanyInfoTable,
                                  {{c::CompanyName, QStringLiteral("Northwind Aviation Services, Inc.")},
                                   {c::CompanyAddress, QStringLiteral("Hangar 4, 1200 Airport Road")},
                                   {c::CompanyCSZ, QStringLiteral("Springfield, IL 62707")},
                                   {c::CompanyPhone, QStringLiteral("FAA Repair Station NWAR123K  (217) 555-0142")},
                                   {c::DefLabel, QStringLiteral("100 Hour")},
                                   {c::LabelStyle, 1}});
        !error.ok())
        return error;
    namespace l = schema::labels;
    return insert(main, schema::LabelsTable,
                  {{l::Description, QStringLiteral("100 Hour")},
                   {l::Body, body},
                   {l::Font, QStringLiteral("Arial")},
                   {l::Size, 8.25},
                   {l::Bold, 0},
                   {l::Italic, 0},
                   {l::Logo, logo},
                   {l::Header, 1},
                   {l::Signed, 1},
                   {l::LeftTop, QStringLiteral("A/C Reg")},
                   {l::LeftMiddle, QStringLiteral("Type")},
                   {l::LeftBottom, QStringLiteral("S/N")},
                   {l::LabelTop, QStringLiteral("W/O")},
                   {l::LabelMiddle, QStringLiteral("Hobbs")},
                   {l::LabelBottom, QStringLiteral("Tach")}});
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: bench_shop FOLDER LOGO BODY\n";
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString logo = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    QFile bodyFile(QString::fromLocal8Bit(argv[3]));
    if (!bodyFile.open(QIODevice::ReadOnly)) {
        err << bodyFile.fileName() << ": " << bodyFile.errorString() << '\n';
        return 1;
    }
    const QString body = QString::fromUtf8(bodyFile.readAll());
    if (const StoreError error = makeShop(folder, logo, body); !error.ok()) {
        err << error.describe() << '\n';
        return 1;
    }
    return 0;
}
