#include "PrintService.h"

#include <QLibrary>
#include <QUrl>

namespace tagwright::printers {

namespace {

// The few entry points of the CUPS client library (libcups.so.2) asked for here, with the
// values of its IPP enumerations. Its interface has kept these for twenty years.
struct Cups {
    using Request = void;
    using Attribute = void;

    Request* (*ippNewRequest)(int operation) = nullptr;
    Attribute* (*ippAddString)(Request*, int group, int valueTag, const char* name,
                               const char* language, const char* value) = nullptr;
    Request* (*cupsDoRequest)(void* http, Request*, const char* resource) = nullptr;
    Attribute* (*ippFindAttribute)(Request*, const char* name, int valueTag) = nullptr;
    const char* (*ippGetString)(Attribute*, int element, const char** language) = nullptr;
    int (*ippGetInteger)(Attribute*, int element) = nullptr;
    int (*ippGetBoolean)(Attribute*, int element) = nullptr;
    void (*ippDelete)(Request*) = nullptr;
    void* (*cupsGetNamedDest)(void* http, const char* name, const char* instance) = nullptr;
    void (*cupsFreeDests)(int count, void* destinations) = nullptr;
    int (*cupsLastError)() = nullptr;
    const char* (*cupsLastErrorString)() = nullptr;

    static constexpr int GetPrinterAttributes = 0x000B;
    static constexpr int OperationGroup = 0x01;
    static constexpr int AnyTag = 0x00;
    static constexpr int UriTag = 0x45;
    static constexpr int StateStopped = 5;
    static constexpr int FirstError = 0x0400;  // client-error-bad-request and above
    static constexpr int NotFound = 0x0406;

    bool loaded() const { return cupsLastErrorString != nullptr; }

    static const Cups& library()
    {
        static const Cups cups = load();
        return cups;
    }

private:
    static Cups load()
    {
        QLibrary library(QStringLiteral("cups"), 2);
        Cups cups;
        if (!library.load())
            return cups;
        const auto resolve = [&library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
            return function != nullptr;
        };
        const bool all = resolve(cups.ippNewRequest, "ippNewRequest")
            && resolve(cups.ippAddString, "ippAddString")
            && resolve(cups.cupsDoRequest, "cupsDoRequest")
            && resolve(cups.ippFindAttribute, "ippFindAttribute")
            && resolve(cups.ippGetString, "ippGetString")
            && resolve(cups.ippGetInteger, "ippGetInteger")
            && resolve(cups.ippGetBoolean, "ippGetBoolean")
            && resolve(cups.ippDelete, "ippDelete")
            && resolve(cups.cupsGetNamedDest, "cupsGetNamedDest")
            && resolve(cups.cupsFreeDests, "cupsFreeDests")
            && resolve(cups.cupsLastError, "cupsLastError")
            && resolve(cups.cupsLastErrorString, "cupsLastErrorString");
        return all ? cups : Cups();
    }
};

// A printer name may carry an instance ("Labels/tractor"); the queue is the part before it.
QString queueOf(const QString& printerName)
{
    return printerName.section(u'/', 0, 0);
}

QString textOf(const Cups& cups, Cups::Request* response, const char* name)
{
    Cups::Attribute* attribute = cups.ippFindAttribute(response, name, Cups::AnyTag);
    const char* text = attribute ? cups.ippGetString(attribute, 0, nullptr) : nullptr;
    return text ? QString::fromUtf8(text).trimmed() : QString();
}

// A class of printers, or a network printer the service sets up only when a job comes, has
// no queue to ask yet; it is known all the same.
bool known(const Cups& cups, const QString& queue)
{
    void* destination = cups.cupsGetNamedDest(nullptr, queue.toUtf8().constData(), nullptr);
    if (destination)
        cups.cupsFreeDests(1, destination);
    return destination != nullptr;
}

// The queue's own explanation ("Out of labels"), else the general one.
QString because(const QString& stateMessage, const QString& general)
{
    return stateMessage.isEmpty() ? general : stateMessage;
}

}  // namespace

QString PrintService::refusal(const QString& printerName)
{
    const Cups& cups = Cups::library();
    if (!cups.loaded() || printerName.isEmpty())
        return QString();
    const QString queue = queueOf(printerName);
    const QByteArray uri = "ipp://localhost/printers/" + QUrl::toPercentEncoding(queue);
    Cups::Request* request = cups.ippNewRequest(Cups::GetPrinterAttributes);
    cups.ippAddString(request, Cups::OperationGroup, Cups::UriTag, "printer-uri", nullptr, uri.constData());
    Cups::Request* response = cups.cupsDoRequest(nullptr, request, "/");
    if (!response || cups.cupsLastError() >= Cups::FirstError) {
        const bool gone = cups.cupsLastError() == Cups::NotFound && !known(cups, queue);
        if (response)
            cups.ippDelete(response);
        // Without an answer from the service, the job itself will tell.
        return gone ? QStringLiteral("The printer \"%1\" is no longer available: the print service has "
                                     "no queue of that name.")
                          .arg(printerName)
                    : QString();
    }
    QString reason;
    const QString stateMessage = textOf(cups, response, "printer-state-message");
    Cups::Attribute* accepting = cups.ippFindAttribute(response, "printer-is-accepting-jobs", Cups::AnyTag);
    Cups::Attribute* state = cups.ippFindAttribute(response, "printer-state", Cups::AnyTag);
    if (accepting && !cups.ippGetBoolean(accepting, 0)) {
        reason = QStringLiteral("The printer \"%1\" is not accepting jobs: %2")
                     .arg(printerName, because(stateMessage, QStringLiteral("its queue has been set to refuse them.")));
    } else if (state && cups.ippGetInteger(state, 0) == Cups::StateStopped) {
        reason = QStringLiteral("The printer \"%1\" is paused: %2")
                     .arg(printerName,
                          because(stateMessage, QStringLiteral("its queue has been stopped. Resume it, or "
                                                               "choose another printer.")));
    }
    cups.ippDelete(response);
    return reason;
}

QString PrintService::submissionRefusal(const QString& printerName)
{
    const Cups& cups = Cups::library();
    if (!cups.loaded() || cups.cupsLastError() < Cups::FirstError)
        return QString();
    return QStringLiteral("The printer \"%1\" did not take the job: %2")
        .arg(printerName, QString::fromUtf8(cups.cupsLastErrorString()));
}

}  // namespace tagwright::printers
