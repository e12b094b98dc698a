#pragma once

#include "mainwindow/PrintOutput.h"
#include "printing/RecordingSurface.h"

#include <QVector>

#include <memory>

namespace tagwright::test {

// Where a window test's print commands go: each onto a recording surface, whose calls are
// kept, one list per command, for the test to read.
class RecordingOutput : public mainwindow::PrintOutput {
public:
    explicit RecordingOutput(QVector<QVector<printing::RecordedOp>>* commands) : m_commands(commands) {}

    std::unique_ptr<printing::PrinterSurface> open(QString*) override
    {
        return std::make_unique<printing::RecordingSurface>();
    }

    QString close(printing::PrinterSurface& surface) override
    {
        m_commands->append(static_cast<printing::RecordingSurface&>(surface).ops());
        return QString();
    }

private:
    QVector<QVector<printing::RecordedOp>>* m_commands;
};

}  // namespace tagwright::test
