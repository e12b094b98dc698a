#include "Command.h"
#include "ServerOptions.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "journal/JournalCsv.h"
#include "printing/LabelParts.h"
#include "store/Database.h"
#include "store/SignatoryStore.h"

#include <QCommandLineParser>
#include <QTextStream>

// `tagwright-cli signatory list|add|remove`: the shop's signatories with their certificates,
// the same records the window's signatory list offers.
namespace tagwright::cli {

namespace {

using store::SignatoryProfile;

const QString Csv = QStringLiteral("csv");
const QString Kind = QStringLiteral("kind");
const QString Certificate = QStringLiteral("certificate");

// `text` for a profile field of at most `limit` characters, or a refusal naming it.
QString checked(const QString& what, const QString& text, int limit)
{
    if (text.size() > limit)
        throw Refusal{QStringLiteral("The %1 \"%2\" is longer than %3 characters.").arg(what, text).arg(limit)};
    return text;
}

QString describe(const SignatoryProfile& profile)
{
    const QString certificate = printing::certificateText(profile.certificateKind, profile.certificateNumber);
    return certificate.isEmpty() ? profile.name
                                 : QStringLiteral("%1 (%2)").arg(profile.name, certificate);
}

int list(const Invocation& invocation, const store::SignatoryStore& profiles)
{
    const store::Result<QVector<SignatoryProfile>> all = profiles.profiles();
    if (!all)
        return fail(invocation.err, all.error());
    QTextStream& out = invocation.out;
    if (invocation.options.isSet(Csv)) {
        out << QStringLiteral("Name,Certificate kind,Certificate number\r\n");
        for (const SignatoryProfile& profile : *all) {
            out << journal::csv::field(profile.name) << u',' << journal::csv::field(profile.certificateKind)
                << u',' << journal::csv::field(profile.certificateNumber) << QStringLiteral("\r\n");
        }
        return Ok;
    }
    const QVector<int> widths{qMax(4, store::SignatoryNameLength / 2), store::CertificateKindLength, 0};
    out << listingRow({QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Certificate")}, widths);
    for (const SignatoryProfile& profile : *all)
        out << listingRow({profile.name, profile.certificateKind, profile.certificateNumber}, widths);
    return Ok;
}

// Adds the signatory, or changes the kind and number given of the one by that name.
int add(const Invocation& invocation, const store::SignatoryStore& profiles, const QString& name)
{
    const QCommandLineParser& options = invocation.options;
    const store::Result<std::optional<SignatoryProfile>> stored = profiles.find(name);
    if (!stored)
        return fail(invocation.err, stored.error());
    SignatoryProfile profile = stored->value_or(SignatoryProfile{name, {}, {}});
    if (options.isSet(Kind))
        profile.certificateKind = checked(QStringLiteral("kind"), options.value(Kind).trimmed(), store::CertificateKindLength);
    if (options.isSet(Certificate)) {
        profile.certificateNumber = checked(QStringLiteral("certificate number"), options.value(Certificate).trimmed(),
                                            store::CertificateNumberLength);
    }
    const store::Result<bool> added = profiles.save(profile, name);
    if (!added)
        return fail(invocation.err, added.error());
    invocation.out << escapeControls(QStringLiteral("%1 %2.").arg(*added ? QStringLiteral("Added") : QStringLiteral("Changed"),
                                                                  describe(profile)))
                   << u'\n';
    return Ok;
}

int remove(const Invocation& invocation, const store::SignatoryStore& profiles, const QString& name)
{
    const store::Result<bool> removed = profiles.remove(name);
    if (!removed)
        return fail(invocation.err, removed.error());
    if (!*removed) {
        complain(invocation.err, QStringLiteral("No signatory is named \"%1\".").arg(name));
        return Refused;
    }
    invocation.out << escapeControls(QStringLiteral("Removed %1.").arg(name)) << u'\n';
    return Ok;
}

int runSignatory(const Invocation& invocation)
{
    const QStringList& arguments = invocation.positional;
    const QString action = arguments.value(0);
    const bool named = action == QStringLiteral("add") || action == QStringLiteral("remove");
    if (action != QStringLiteral("list") && !named)
        throw Refusal{QStringLiteral("signatory takes list, add NAME or remove NAME, not \"%1\".").arg(action)};
    if (arguments.size() != (named ? 2 : 1))
        throw Refusal{named ? QStringLiteral("signatory %1 takes one NAME (quote a name with spaces).").arg(action)
                            : QStringLiteral("signatory list takes no NAME.")};
    const bool certificateGiven = invocation.options.isSet(Kind) || invocation.options.isSet(Certificate);
    if (certificateGiven && action != QStringLiteral("add"))
        throw Refusal{QStringLiteral("--kind and --certificate go with signatory add.")};
    if (invocation.options.isSet(Csv) && action != QStringLiteral("list"))
        throw Refusal{QStringLiteral("--csv goes with signatory list.")};
    const QString name = arguments.value(1).trimmed();
    if (named && name.isEmpty())
        throw Refusal{QStringLiteral("A signatory needs a name.")};
    // Names stored before profiles had a limit can still be removed.
    if (action == QStringLiteral("add"))
        checked(QStringLiteral("name"), name, store::SignatoryNameLength);

    store::Database main;
    if (store::StoreError error = openShopDatabase(setupPathOf(invocation), invocation.environment.dataFolder, main);
        !error.ok())
        return fail(invocation.err, error);
    const store::SignatoryStore profiles(main);
    if (action == QStringLiteral("add"))
        return add(invocation, profiles, name);
    if (action == QStringLiteral("remove"))
        return remove(invocation, profiles, name);
    return list(invocation, profiles);
}

}  // namespace

Command signatoryCommand()
{
    return Command{
        QStringLiteral("signatory"),
        QStringLiteral("List, add or remove the shop's signatories and their certificates."),
        QStringLiteral("\"list\" shows each signatory with the kind and number of their certificate "
                       "(--csv: comma-separated values with a header row). \"add NAME\" adds a "
                       "signatory, or changes the kind and number given of the one already named so "
                       "(letter case ignored). \"remove NAME\" removes one without asking; exit status "
                       "2 when no signatory is named so. A label signed by a signatory prints the "
                       "kind and number after the name."),
        {setupOption(),
         {Kind, QStringLiteral("With add: the kind of certificate, such as A&P, A&P/IA, Repairman, "
                               "EASA B1 or AME (at most %1 characters).").arg(store::CertificateKindLength),
          QStringLiteral("KIND")},
         {Certificate, QStringLiteral("With add: the certificate number (at most %1 characters).")
                           .arg(store::CertificateNumberLength),
          QStringLiteral("NUMBER")},
         {Csv, QStringLiteral("With list: comma-separated values with a header row.")}},
        {QStringLiteral("list|add|remove"), QStringLiteral("[NAME]")},
        runSignatory,
    };
}

}  // namespace tagwright::cli
