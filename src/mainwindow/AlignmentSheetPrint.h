#pragma once

#include <QObject>

class QMenuBar;

namespace tagwright::mainwindow {

class CommandActions;
class LabelSource;

// "Print Alignment Sheet..." in the File menu, after Export PDF and enabled with Print: the
// six die-cut outlines, where labels printed at the setup panel's adjustments expect them,
// printed where Print prints. It is not a label, so the journal does not record it.
void installAlignmentSheet(QMenuBar* menuBar, CommandActions& commands, LabelSource& label);

// The entry's command.
class AlignmentSheetPrint : public QObject {
    Q_OBJECT
public:
    AlignmentSheetPrint(LabelSource& label, QObject* parent);

    void run();

private:
    LabelSource& m_label;
};

}  // namespace tagwright::mainwindow
