#include "CommandLine.h"

#include "Terminal.h"

#include "store/ServerBackend.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>

namespace tagwright::cli {

namespace {

const QString Program = QStringLiteral("tagwright-cli");

QString generalUsage()
{
    QStringList names;
    for (const Command& command : commands())
        names.append(command.name);
    return QStringLiteral("usage: %1 COMMAND [OPTIONS] with COMMAND one of %2; \"%1 --help\" "
                          "describes them.")
        .arg(Program, names.join(QStringLiteral(", ")));
}

const Command* commandNamed(const QString& name)
{
    const auto& table = commands();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const Command& command) { return command.name == name; });
    return found == table.end() ? nullptr : &*found;
}

QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Show this help and exit."));
}

QCommandLineOption versionOption()
{
    return QCommandLineOption(QStringLiteral("version"),
                              QStringLiteral("Show the program's version and exit."));
}

QString optionSynopsis(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString synopsis = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        synopsis += u' ' + option.valueName();
    return synopsis;
}

// Two columns: what to type, and what it does.
void writeOptionTable(QTextStream& out, const QList<QCommandLineOption>& options)
{
    constexpr qsizetype Column = 26;
    for (const QCommandLineOption& option : options) {
        const QString synopsis = QStringLiteral("  ") + optionSynopsis(option);
        if (synopsis.size() < Column - 1)
            out << synopsis.leftJustified(Column) << option.description() << '\n';
        else
            out << synopsis << '\n' << QString(Column, u' ') << option.description() << '\n';
    }
}

void writeGeneralHelp(QTextStream& out)
{
    out << "usage: " << Program << " COMMAND [OPTIONS]\n"
        << "       " << Program << " COMMAND --help\n"
        << "       " << Program << " --version\n\n"
        << "Tagwright's command line: prints maintenance-record labels from the shop's "
           "databases without the window.\n\nCommands:\n";
    const auto& table = commands();
    qsizetype width = 0;
    for (const Command& command : table)
        width = std::max(width, command.name.size());
    for (const Command& command : table)
        out << "  " << command.name.leftJustified(width + 2) << command.summary << '\n';
    out << "\nOptions:\n";
    writeOptionTable(out, {helpOption(), versionOption()});
    out << "\nExit status: 0 done, 2 bad arguments or a refused job (one line on stderr says "
           "why), 1 any other failure.\n";
}

void writeCommandHelp(QTextStream& out, const Command& command)
{
    out << usageLine(command) << "\n\n" << command.description << "\n\nOptions:\n";
    writeOptionTable(out, command.options + QList<QCommandLineOption>{helpOption()});
}

// The first argument the parser could not take, as one line in the words scripts have always
// seen: "Unknown option "ARG". usage: ..." or "--NAME needs a value."
QString syntaxError(const QList<QCommandLineOption>& options, const QStringList& arguments,
                    const QString& usage, const QString& fallback)
{
    const auto unknown = [&](const QString& argument) {
        return QStringLiteral("Unknown option \"%1\". %2").arg(argument, usage);
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--"))
            break;
        if (!argument.startsWith(u'-') || argument == QStringLiteral("-"))
            continue;
        const bool longForm = argument.startsWith(QStringLiteral("--"));
        if (!longForm && argument.size() != 2)
            return unknown(argument);
        const QString word = argument.mid(longForm ? 2 : 1);
        const bool inlineValue = word.contains(u'=');
        const QString name = word.section(u'=', 0, 0);
        const auto option = std::find_if(options.begin(), options.end(), [&](const QCommandLineOption& o) {
            return o.names().contains(name);
        });
        if (option == options.end() || (inlineValue && option->valueName().isEmpty()))
            return unknown(argument);
        if (!option->valueName().isEmpty() && !inlineValue) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("%1 needs a value.").arg(argument);
            ++i;
        }
    }
    return fallback;
}

// Names of files and folders keep the bytes they were given (a file may be named in any
// encoding); every other value is text that ends up on a label, in the journal or in a
// connection, so it is taken only as UTF-8: one decoding from here to the journal.
bool namesAFile(const QString& valueName)
{
    return valueName == QStringLiteral("PATH") || valueName == QStringLiteral("FILE")
           || valueName == QStringLiteral("FOLDER") || valueName == QStringLiteral("TARGET")
           || valueName == QStringLiteral("SOURCE");
}

QString undecodableText(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                        const QStringList& positionalNames)
{
    const auto refusal = [](const QString& what, const QString& value) {
        return QStringLiteral("%1 is not UTF-8 text (\"%2\"); give it in UTF-8.").arg(what, escapeControls(value));
    };
    for (const QCommandLineOption& option : options) {
        if (option.valueName().isEmpty() || namesAFile(option.valueName()))
            continue;
        for (const QString& value : parser.values(option.names().constLast())) {
            if (holdsUndecodedBytes(value))
                return refusal(QStringLiteral("--") + option.names().constLast(), value);
        }
    }
    const QStringList positional = parser.positionalArguments();
    for (qsizetype i = 0; i < positional.size(); ++i) {
        const QString name = positionalNames.value(i, positionalNames.value(positionalNames.size() - 1));
        if (!namesAFile(name) && holdsUndecodedBytes(positional[i]))
            return refusal(name.isEmpty() ? QStringLiteral("An argument") : name, positional[i]);
    }
    return {};
}

// What dispatch() returns, without an environment, when a command would run.
constexpr int CommandWouldRun = -1;

// Parses a command's arguments and runs it; without an environment it stops short of running.
int runCommand(const Command& command, const QStringList& arguments, QTextStream& out,
               QTextStream& err, const Environment* environment)
{
    const QCommandLineOption help = helpOption();
    const QList<QCommandLineOption> options = command.options + QList<QCommandLineOption>{help};
    QCommandLineParser parser;
    parser.addOptions(options);
    for (const QString& name : command.positional)
        parser.addPositionalArgument(name, QString());
    const auto refuse = [&](const QString& message) {
        complain(err, message);
        return Refused;
    };
    if (!parser.parse(QStringList{Program} + arguments))
        return refuse(syntaxError(options, arguments, usageLine(command), parser.errorText()));
    if (parser.isSet(help)) {
        writeCommandHelp(out, command);
        out.flush();
        return Ok;
    }
    const QStringList positional = parser.positionalArguments();
    if (command.positional.isEmpty() && !positional.isEmpty())
        return refuse(QStringLiteral("Unknown option \"%1\". %2").arg(positional.first(), usageLine(command)));
    if (const QString refusal = undecodableText(parser, command.options, command.positional); !refusal.isEmpty())
        return refuse(refusal);
    if (!environment)
        return CommandWouldRun;
    try {
        return command.run(Invocation{parser, positional, out, err, *environment});
    } catch (const Refusal& refusal) {
        return refuse(refusal.message);
    }
}

// The whole command line: help, the version and refusals are answered here; a command is run
// only with an environment.
int dispatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const Environment* environment);

}  // namespace

QString usageLine(const Command& command)
{
    QString line = QStringLiteral("usage: %1 %2").arg(Program, command.name);
    for (const QCommandLineOption& option : command.options)
        line += QStringLiteral(" [%1]").arg(optionSynopsis(option));
    for (const QString& name : command.positional)
        line += u' ' + name;
    return line;
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Environment& environment)
{
    // A command ends within one deadline of a server that stops answering.
    store::ServerBackend::oneDeadlinePerConnection(true);
    return dispatch(arguments, out, err, &environment);
}

std::optional<int> answerWithoutRunning(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const int code = dispatch(arguments, out, err, nullptr);
    return code == CommandWouldRun ? std::nullopt : std::optional<int>(code);
}

namespace {

int dispatch(const QStringList& arguments, QTextStream& out, QTextStream& err,
             const Environment* environment)
{
    const QCommandLineOption help = helpOption();
    const QCommandLineOption version = versionOption();
    QCommandLineParser parser;
    parser.addOptions({help, version});
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    // Everything after the command's name is the command's to parse.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const auto refuse = [&](const QString& message) {
        complain(err, message);
        return Refused;
    };
    if (!parser.parse(QStringList{Program} + arguments))
        return refuse(syntaxError({help, version}, arguments, generalUsage(), parser.errorText()));

    QStringList rest = parser.positionalArguments();
    if (!rest.isEmpty() && rest.first() == QStringLiteral("help")) {
        rest.removeFirst();
        if (rest.isEmpty()) {
            writeGeneralHelp(out);
            out.flush();
            return Ok;
        }
        rest.append(QStringLiteral("--help"));
    }
    if (rest.isEmpty()) {
        if (parser.isSet(version)) {
            out << Program << ' ' << TAGWRIGHT_VERSION << Qt::endl;
            return Ok;
        }
        if (parser.isSet(help)) {
            writeGeneralHelp(out);
            out.flush();
            return Ok;
        }
        return refuse(generalUsage());
    }
    const Command* command = commandNamed(rest.first());
    if (!command)
        return refuse(QStringLiteral("Unknown command \"%1\". %2").arg(rest.first(), generalUsage()));
    if (parser.isSet(help))
        rest.append(QStringLiteral("--help"));
    return runCommand(*command, rest.mid(1), out, err, environment);
}

}  // namespace

std::optional<int> answerWindowArguments(const QStringList& arguments, QTextStream& out,
                                         QTextStream& err, bool qtOptionsTaken)
{
    const QString window = QStringLiteral("tagwright");
    const QString usage = QStringLiteral("usage: %1 [--help] [--version] [Qt's options]").arg(window);
    const QCommandLineOption help = helpOption();
    const QCommandLineOption version = versionOption();
    QCommandLineParser parser;
    parser.addOptions({help, version});
    const bool parsed = parser.parse(QStringList{window} + arguments);
    if (parser.isSet(version)) {
        out << window << ' ' << TAGWRIGHT_VERSION << Qt::endl;
        return Ok;
    }
    if (parser.isSet(help)) {
        out << usage << "\n\nTagwright composes and prints maintenance-record labels for aircraft "
                        "logbooks.\n\nOptions:\n";
        writeOptionTable(out, {help, version});
        out << "\nQt's own options (for example -platform, -style) are taken too. The information "
               "panel names the database files in use and the rule that chose them.\n";
        out.flush();
        return Ok;
    }
    if (!qtOptionsTaken)
        return std::nullopt;
    QString error;
    if (!parsed)
        error = syntaxError({help, version}, arguments, usage, parser.errorText());
    else if (!parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unknown option \"%1\". %2").arg(parser.positionalArguments().first(), usage);
    if (error.isEmpty())
        return std::nullopt;
    complain(err, error, window);
    return Refused;
}

}  // namespace tagwright::cli
