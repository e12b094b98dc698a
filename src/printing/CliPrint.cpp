#include "CliPrint.h"

#include "LabelPrinter.h"
#include "PdfTarget.h"
#include "PrintTarget.h"
#include "QtPrinterSurface.h"
#include "RecordingSurface.h"
#include "StartupSnapshot.h"

#include "store/Schema.h"

#include <QDate>
#include <QTextStream>

#include <map>
#include <optional>

namespace tagwright::printing {

namespace {

const QString Usage = QStringLiteral(
    "usage: tagwright-cli print [--setup PATH] [--template TITLE] [--value FIELD=TEXT]... "
    "[--date TEXT] [--signatory TEXT] [--stock laser|tractor] [--copies TEXT] [--skip LIST] "
    "[--pdf FILE] [--printer NAME] [--trace [--fonts LIST]]");

// The header line a --value names, by the template field holding its caption.
struct ValueField {
    const char* field;
    QString LabelSnapshot::*box;
    int limit;
};

const ValueField ValueFields[] = {
    {"LeftTop", &LabelSnapshot::Text3, 7},    {"LeftMiddle", &LabelSnapshot::Text4, 30},
    {"LeftBottom", &LabelSnapshot::Text5, 13}, {"LabelTop", &LabelSnapshot::Text6, 8},
    {"LabelMiddle", &LabelSnapshot::Text7, 8}, {"LabelBottom", &LabelSnapshot::Text8, 8},
};

struct Options {
    QString setup = store::schema::SetupFileName;
    std::optional<QString> templateTitle;
    std::map<const ValueField*, QString> values;
    QString date = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    QString signatory;
    std::optional<bool> tractor;
    QString copies = QStringLiteral("1");
    std::array<bool, 6> marked{false, true, true, true, true, true};
    std::optional<QString> pdf;
    std::optional<QString> printer;
    bool trace = false;
    QStringList fonts = RecordingSurface::defaultFonts();
};

struct Refusal {
    QString message;
};

const ValueField* valueField(const QString& name)
{
    for (const ValueField& field : ValueFields) {
        if (name.compare(QLatin1String(field.field), Qt::CaseInsensitive) == 0)
            return &field;
    }
    return nullptr;
}

std::array<bool, 6> parseSkip(const QString& list)
{
    std::array<bool, 6> marked{};
    if (list.trimmed().isEmpty())
        return marked;
    for (const QString& item : list.split(u',')) {
        bool ok = false;
        const int cell = item.trimmed().toInt(&ok);
        if (!ok || cell < 1 || cell > 6)
            throw Refusal{QStringLiteral("--skip takes cell numbers 1 to 6, not \"%1\".").arg(item)};
        marked[std::size_t(cell - 1)] = true;
    }
    return marked;
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

Options parseOptions(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first() != QStringLiteral("print"))
        throw Refusal{Usage};
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> inlineValue;
        if (const qsizetype equals = name.indexOf(u'='); name.startsWith(QStringLiteral("--")) && equals > 0) {
            inlineValue = name.mid(equals + 1);
            name = name.left(equals);
        }
        const auto value = [&]() -> QString {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= arguments.size())
                throw Refusal{QStringLiteral("%1 needs a value.").arg(name)};
            return arguments[++i];
        };
        if (name == QStringLiteral("--trace") && !inlineValue) {
            options.trace = true;
        } else if (name == QStringLiteral("--setup")) {
            options.setup = value();
        } else if (name == QStringLiteral("--template")) {
            options.templateTitle = value();
        } else if (name == QStringLiteral("--value")) {
            const QString assignment = value();
            const qsizetype equals = assignment.indexOf(u'=');
            const ValueField* field = equals < 0 ? nullptr : valueField(assignment.left(equals));
            if (!field) {
                throw Refusal{QStringLiteral("--value takes FIELD=TEXT with FIELD one of LeftTop, "
                                             "LeftMiddle, LeftBottom, LabelTop, LabelMiddle, "
                                             "LabelBottom, not \"%1\".").arg(assignment)};
            }
            const QString text = assignment.mid(equals + 1);
            if (text.size() > field->limit) {
                throw Refusal{QStringLiteral("The %1 value \"%2\" is longer than %3 characters.")
                                  .arg(QLatin1String(field->field), text).arg(field->limit)};
            }
            options.values[field] = text;
        } else if (name == QStringLiteral("--date")) {
            options.date = value();
        } else if (name == QStringLiteral("--signatory")) {
            options.signatory = value();
        } else if (name == QStringLiteral("--stock")) {
            const QString stock = value();
            if (stock != QStringLiteral("laser") && stock != QStringLiteral("tractor"))
                throw Refusal{QStringLiteral("--stock is laser or tractor, not \"%1\".").arg(stock)};
            options.tractor = stock == QStringLiteral("tractor");
        } else if (name == QStringLiteral("--copies")) {
            options.copies = value();
        } else if (name == QStringLiteral("--skip")) {
            options.marked = parseSkip(value());
        } else if (name == QStringLiteral("--pdf")) {
            options.pdf = value();
        } else if (name == QStringLiteral("--printer")) {
            options.printer = value();
        } else if (name == QStringLiteral("--fonts")) {
            options.fonts = parseFonts(value());
        } else {
            throw Refusal{QStringLiteral("Unknown option \"%1\". %2").arg(arguments[i], Usage)};
        }
    }
    if (!options.pdf && !options.printer && !options.trace)
        throw Refusal{QStringLiteral("Nothing to print to: give --pdf FILE, --printer NAME or --trace.")};
    return options;
}

void applyOptions(const Options& options, LabelSnapshot& window)
{
    for (const auto& [field, text] : options.values)
        window.*(field->box) = text;
    window.Text9 = options.date;
    window.Combo2 = options.signatory;
    window.Text15 = options.copies;
    for (std::size_t cell = 0; cell < 6; ++cell)
        window.Label22[cell] = options.marked[cell] ? QStringLiteral("X") : QString();
}

// Exit code and message of a job that did not print.
int report(const PrintResult& result, QTextStream& err)
{
    switch (result.status) {
    case PrintResult::Status::Printed:
        return CliOk;
    case PrintResult::Status::Refused:
        err << "tagwright-cli: " << result.message << Qt::endl;
        return CliRefused;
    case PrintResult::Status::Failed:
        err << "tagwright-cli: " << result.message << Qt::endl;
        return CliFailed;
    }
    return CliFailed;
}

PrintResult compose(PrinterSurface& surface, const LabelSnapshot& window, bool tractor)
{
    LabelPrinter printer;
    return tractor ? printer.PrintTractorLabel(surface, window)
                   : printer.PrintLaserLabels(surface, window);
}

}  // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           const PrinterOpener& openPrinter, const QString& programFolder)
{
    Options options;
    try {
        options = parseOptions(arguments);
    } catch (const Refusal& refusal) {
        err << "tagwright-cli: " << refusal.message << Qt::endl;
        return CliRefused;
    }

    StartupSnapshot loaded = loadStartupSnapshot(options.setup, options.templateTitle, programFolder);
    if (loaded.outcome != StartupSnapshot::Outcome::Loaded) {
        err << "tagwright-cli: " << loaded.message << Qt::endl;
        return loaded.outcome == StartupSnapshot::Outcome::UnknownTemplate ? CliRefused : CliFailed;
    }
    LabelSnapshot window = loaded.window;
    applyOptions(options, window);
    const bool tractor = options.tractor.value_or(loaded.tractor);

    if (options.trace) {
        RecordingSurface surface(options.fonts);
        const PrintResult result = compose(surface, window, tractor);
        out << surface.traceLines();
        out.flush();
        if (const int code = report(result, err); code != CliOk)
            return code;
    }
    if (options.pdf) {
        PdfTarget target(*options.pdf);
        QtPrinterSurface surface(target);
        const PrintResult result = compose(surface, window, tractor);
        if (const int code = report(result, err); code != CliOk)
            return code;
        if (!target.finish()) {
            err << "tagwright-cli: Cannot write the PDF file " << *options.pdf << ": "
                << target.errorString() << Qt::endl;
            return CliFailed;
        }
    }
    if (options.printer) {
        QString message;
        int code = CliFailed;
        std::unique_ptr<PrintTarget> target =
            openPrinter ? openPrinter(*options.printer, message, code) : nullptr;
        if (!target) {
            err << "tagwright-cli: "
                << (message.isEmpty() ? QStringLiteral("Printing to a system printer is not available.")
                                      : message)
                << Qt::endl;
            return code;
        }
        QtPrinterSurface surface(*target);
        if (const int result = report(compose(surface, window, tractor), err); result != CliOk)
            return result;
    }
    return CliOk;
}

}  // namespace tagwright::printing
