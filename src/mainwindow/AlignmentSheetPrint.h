#pragma once

#include <QObject>

#include <functional>

class QMenuBar;

namespace tagwright::mainwindow {

class CommandActions;
class LabelSource;
class PrintOutput;

// "Print Alignment Sheet..." in the File menu, after Export PDF and enabled with Print: the
// six die-cut outlines, where labels printed at the setup panel's adjustments expect them,
// printed where Print prints (`output`, asked each time). It is not a label, so the journal
// does not record it.
void installAlignmentSheet(QMenuBar* menuBar, CommandActions& commands, const LabelSource& label,
                           std::function<PrintOutput*()> output);

// The entry's command.
class AlignmentSheetPrint : public QObject {
    Q_OBJECT
public:
    AlignmentSheetPrint(const LabelSource& label, std::function<PrintOutput*()> output,
                        QObject* parent);

    void run();

private:
    const LabelSource& m_label;
    std::function<PrintOutput*()> m_output;
};

}  // namespace tagwright::mainwindow
