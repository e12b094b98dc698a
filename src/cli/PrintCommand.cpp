#include "Command.h"
#include "LabelOutput.h"
#include "ShopDatabase.h"
#include "StartupSnapshot.h"
#include "Terminal.h"

#include "printing/BoxText.h"
#include "printing/Completeness.h"
#include "printing/RecordingSurface.h"
#include "session/SignatoryCertificate.h"
#include "store/Database.h"
#include "store/Registration.h"
#include "store/Schema.h"
#include "store/SignatoryStore.h"

#include <QCommandLineParser>
#include <QDate>
#include <QRegularExpression>
#include <QTextStream>

#include <map>
#include <optional>

namespace tagwright::cli {

using namespace printing;

namespace {

// The date on a label, as the window's date box starts.
const QString DateFormat = QStringLiteral("MM-dd-yyyy");

// The header line a --value names, by the template field holding its caption.
struct ValueField {
    const char* field;
    HeaderSlot slot;
    int limit;
};

const ValueField ValueFields[] = {
    {"LeftTop", HeaderSlot::Registration, 7},    {"LeftMiddle", HeaderSlot::Make, 30},
    {"LeftBottom", HeaderSlot::Serial, 13},      {"LabelTop", HeaderSlot::Tach, 8},
    {"LabelMiddle", HeaderSlot::TotalTime, 8},   {"LabelBottom", HeaderSlot::SinceOverhaul, 8},
};

struct Options {
    QString setup;
    std::optional<QString> templateTitle;
    std::map<const ValueField*, QString> values;
    QString date = QDate::currentDate().toString(DateFormat);
    QString signatory;
    std::optional<bool> tractor;
    std::optional<double> copies;
    std::optional<UsedCells> used;
    std::optional<QString> pdf;
    std::optional<QString> printer;
    bool trace = false;
    QStringList fonts = RecordingSurface::defaultFonts();
};

const ValueField* valueField(const QString& name)
{
    for (const ValueField& field : ValueFields) {
        if (name.compare(QLatin1String(field.field), Qt::CaseInsensitive) == 0)
            return &field;
    }
    return nullptr;
}

UsedCells parseSkip(const QString& list)
{
    UsedCells used;
    if (list.trimmed().isEmpty())
        return used;
    for (const QString& item : list.split(u',')) {
        bool ok = false;
        const int cell = item.trimmed().toInt(&ok);
        if (!ok || cell < 1 || cell > 6)
            throw Refusal{QStringLiteral("--skip takes cell numbers 1 to 6, not \"%1\".").arg(item)};
        used.insert(cell);
    }
    return used;
}

QStringList parseFonts(const QString& list)
{
    QStringList fonts;
    for (const QString& name : list.split(u',')) {
        if (!name.trimmed().isEmpty())
            fonts.append(name.trimmed());
    }
    return fonts;
}

const QString Setup = QStringLiteral("setup");
const QString Template = QStringLiteral("template");
const QString Value = QStringLiteral("value");
const QString Date = QStringLiteral("date");
const QString Signatory = QStringLiteral("signatory");
const QString Stock = QStringLiteral("stock");
const QString Copies = QStringLiteral("copies");
const QString Skip = QStringLiteral("skip");
const QString Pdf = QStringLiteral("pdf");
const QString Printer = QStringLiteral("printer");
const QString Trace = QStringLiteral("trace");
const QString Fonts = QStringLiteral("fonts");

QList<QCommandLineOption> optionTable()
{
    return {
        {Setup, QStringLiteral("The setup database (default: SetupTGW.MDB in the working folder when "
                               "there is one, else the one the window uses)."),
         QStringLiteral("PATH")},
        {Template, QStringLiteral("The template by title, letter case ignored (default: the shop's "
                                  "default label, else the first)."),
         QStringLiteral("TITLE")},
        {Value, QStringLiteral("A header value, named by the field holding its caption: LeftTop, "
                               "LeftMiddle, LeftBottom, LabelTop, LabelMiddle, LabelBottom. Repeatable."),
         QStringLiteral("FIELD=TEXT")},
        {Date, QStringLiteral("The date, a day as MM-DD-YYYY (default: today)."), QStringLiteral("MM-DD-YYYY")},
        {Signatory, QStringLiteral("The name under the signature line; a signatory of the shop by that "
                                   "name (letter case ignored) prints with the kind and number of "
                                   "their certificate."),
         QStringLiteral("TEXT")},
        {Stock, QStringLiteral("The label stock, laser or tractor (default: the shop's setting)."),
         QStringLiteral("laser|tractor")},
        {Copies, QStringLiteral("Laser sheets: the number of copies, at most 999 (default: 1)."),
         QStringLiteral("TEXT")},
        {Skip, QStringLiteral("Laser sheets: the cells already used, numbers 1 to 6 separated by "
                              "commas (default: 2,3,4,5,6, as the window starts)."),
         QStringLiteral("LIST")},
        {Pdf, QStringLiteral("Write the labels into this PDF file."), QStringLiteral("FILE")},
        {Printer, QStringLiteral("Print on this system printer (\"default\" for the default one)."),
         QStringLiteral("NAME")},
        {Trace, QStringLiteral("Write the drawing operations as JSON lines, with fixed metrics "
                               "(for tests and support).")},
        {Fonts, QStringLiteral("With --trace: the font families the trace surface has, separated by "
                               "commas."),
         QStringLiteral("LIST")},
    };
}

Options readOptions(const QCommandLineParser& parser, const Environment& environment)
{
    Options options;
    options.setup = parser.isSet(Setup) ? parser.value(Setup) : environment.setupPath;
    if (parser.isSet(Template)) {
        options.templateTitle = parser.value(Template);
        if (options.templateTitle->size() > store::schema::TitleLength) {
            throw Refusal{QStringLiteral("--template \"%1\" is longer than %2 characters; no title is.")
                              .arg(*options.templateTitle).arg(store::schema::TitleLength)};
        }
    }
    for (const QString& assignment : parser.values(Value)) {
        const qsizetype equals = assignment.indexOf(u'=');
        const ValueField* field = equals < 0 ? nullptr : valueField(assignment.left(equals));
        if (!field) {
            throw Refusal{QStringLiteral("--value takes FIELD=TEXT with FIELD one of LeftTop, "
                                         "LeftMiddle, LeftBottom, LabelTop, LabelMiddle, "
                                         "LabelBottom, not \"%1\".").arg(assignment)};
        }
        QString text = assignment.mid(equals + 1);
        // A registration is one value however it was typed (blanks around it are none).
        if (field->slot == HeaderSlot::Registration)
            text = store::registration::trimmed(text);
        if (text.size() > field->limit) {
            throw Refusal{QStringLiteral("The %1 value \"%2\" is longer than %3 characters.")
                              .arg(QLatin1String(field->field), text).arg(field->limit)};
        }
        options.values[field] = text;
    }
    if (parser.isSet(Date)) {
        // A label is a legal record: its date is a day of the calendar, month first.
        options.date = parser.value(Date);
        if (!QDate::fromString(options.date, DateFormat).isValid())
            throw Refusal{QStringLiteral("--date takes a day as MM-DD-YYYY, not \"%1\".").arg(options.date)};
    }
    options.signatory = parser.value(Signatory);
    for (const QString& stock : parser.values(Stock)) {
        if (stock != QStringLiteral("laser") && stock != QStringLiteral("tractor"))
            throw Refusal{QStringLiteral("--stock is laser or tractor, not \"%1\".").arg(stock)};
        options.tractor = stock == QStringLiteral("tractor");
    }
    for (const QString& copies : parser.values(Copies)) {
        // The window reads what it cannot make out in its copies box as none; a script
        // that passes no number has a fault to hear about.
        static const QRegularExpression WholeNumber(QStringLiteral(R"(^\s*[+-]?\d+\s*$)"));
        if (!WholeNumber.match(copies).hasMatch())
            throw Refusal{QStringLiteral("--copies takes a whole number, not \"%1\".").arg(copies)};
        options.copies = boxtext::leadingNumber(copies);
    }
    for (const QString& list : parser.values(Skip))
        options.used = parseSkip(list);
    if (parser.isSet(Pdf))
        options.pdf = parser.value(Pdf);
    if (parser.isSet(Printer))
        options.printer = parser.value(Printer);
    options.trace = parser.isSet(Trace);
    if (parser.isSet(Fonts))
        options.fonts = parseFonts(parser.value(Fonts));
    if (!options.pdf && !options.printer && !options.trace)
        throw Refusal{QStringLiteral("Nothing to print to: give --pdf FILE, --printer NAME or --trace.")};
    return options;
}

void applyOptions(const Options& options, PrintRequest& request)
{
    for (const auto& [field, text] : options.values)
        request.label.line(field->slot).value = text;
    request.label.date = options.date;
    request.label.signatory = options.signatory;
    if (options.copies)
        request.sheet.copies = *options.copies;
    if (options.used)
        request.sheet.used = *options.used;
}

// `tagwright-cli print ...`: prints the template from the shop's databases as the window
// would. Trace lines go to `out`; any complaint is one line on `err`. A label that gives a
// known aircraft another make or serial prints as given, and says so on `err`.
int runPrint(const Invocation& invocation)
{
    QTextStream& out = invocation.out;
    QTextStream& err = invocation.err;
    const Options options = readOptions(invocation.options, invocation.environment);
    // A label that leaves the program is journaled on the connection it was read through.
    const bool journals = options.pdf || options.printer;
    store::Database shop;
    StartupSnapshot loaded = loadStartupSnapshot(options.setup, options.templateTitle,
                                                 invocation.environment.dataFolder, shop,
                                                 journals ? store::Database::Access::ReadWrite
                                                          : store::Database::Access::ReadOnly);
    if (loaded.outcome != StartupSnapshot::Outcome::Loaded) {
        complain(err, loaded.message);
        return loaded.outcome == StartupSnapshot::Outcome::UnknownTemplate ? Refused : Failed;
    }
    PrintRequest request = loaded.request;
    applyOptions(options, request);
    if (store::StoreError error = session::addSignatoryCertificate(store::SignatoryStore(shop), request.label); !error.ok()) {
        complain(err, storeMessage(error));
        return Failed;
    }
    // Printed all the same, as the window's "Print anyway": a script hears of it on stderr.
    const auto warnOfMissingFacts = [&] {
        if (const QString missing = missingFacts(request.label).message(); !missing.isEmpty())
            complain(err, missing);
    };
    if (options.tractor)
        request.stock = *options.tractor ? LabelStock::Tractor : LabelStock::Laser;

    if (options.trace) {
        RecordingSurface surface(options.fonts);
        const PrintResult result = composeLabel(surface, request);
        out << surface.traceLines();
        out.flush();
        if (result.status != PrintResult::Status::Printed) {
            complain(err, result.message);
            return result.status == PrintResult::Status::Refused ? Refused : Failed;
        }
        // Printed too, it is said there, in the metrics of the paper.
        if (!options.pdf && !options.printer) {
            warnOfOverlongValues(err, result);
            warnOfMissingFacts();
        }
    }
    if (!options.pdf && !options.printer)
        return Ok;
    LabelOutput output{options.pdf, options.printer, options.setup,
                       {loaded.templateTitle, loaded.logoFile}, &shop};
    const int code = sendLabel(invocation, request, output);
    if (code == Ok)
        warnOfMissingFacts();
    return code;
}

}  // namespace

Command printCommand()
{
    return Command{
        QStringLiteral("print"),
        QStringLiteral("Print a template from the shop's databases, as the window would."),
        QStringLiteral("Prints the template on laser sheets or tractor-feed labels into a PDF file, "
                       "on a system printer, or as a trace of drawing operations. Values the "
                       "options leave out are what a new window shows."),
        optionTable(),
        {},
        runPrint,
    };
}

}  // namespace tagwright::cli
