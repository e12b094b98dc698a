#pragma once

#include "printjob/LabelOutput.h"
#include "printing/RecordingSurface.h"

#include <QVector>

#include <memory>

namespace tagwright::test {

// Where a window test's print commands go: each onto a recording surface, whose calls are
// kept, one list per command, for the test to read.
class RecordingOutput : public printjob::LabelOutput {
public:
    explicit RecordingOutput(QVector<QVector<printing::RecordedOp>>* commands) : m_commands(commands) {}

    store::Result<std::unique_ptr<printing::PrinterSurface>, printjob::OutputProblem>
    open(const QString&) override
    {
        return std::unique_ptr<printing::PrinterSurface>(std::make_unique<printing::RecordingSurface>());
    }

    QString complete(printing::PrinterSurface& surface) override
    {
        m_commands->append(static_cast<printing::RecordingSurface&>(surface).ops());
        return {};
    }
    QString destination() const override { return QStringLiteral("Recorder"); }

private:
    QVector<QVector<printing::RecordedOp>>* m_commands;
};

}  // namespace tagwright::test
