#include "journal/DirectJournal.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QThread>

// Another workstation printing: journal_feeder DATAPATH COUNT records COUNT labels, one at a
// time through the journal every print of tagwright-cli writes through, into the shop at DATAPATH.
int main(int argc, char** argv)
{
    using namespace tagwright;
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    store::Database shop;
    if (!shop.openMain(arguments[1]).ok())
        return 1;
    journal::DirectJournal journal([](store::Database&) { return store::StoreError(); }, &shop);
    const int count = arguments[2].toInt();
    for (int i = 0; i < count; ++i) {
        journal::JournalEntry entry;
        entry.facts.templateTitle = QStringLiteral("Annual");
        entry.line(journal::Slot::Registration) = {QStringLiteral("Reg #"), QStringLiteral("N%1").arg(i % 7)};
        entry.destination = QStringLiteral("Hangar laser");
        entry.result = QStringLiteral("Printed");
        if (!journal.begin(entry).ok())
            return 1;
        if (i % 25 == 0)
            QThread::msleep(5);
    }
    return 0;
}
