#pragma once

#include "MainState.h"
#include "RecordOnShow.h"
#include "WindowMode.h"

#include <QObject>
#include <QString>

#include <array>
#include <bitset>

namespace tagwright::session {

// The state of one card session, without widgets: the template on show and whether it has
// edits not yet stored, the aircraft values, date and signatory typed for the next label,
// the print options, and the window's mode with what it enables. The window binds its
// controls to this: a control's edit sets the value here, a change made here is shown.
// A setter given the value already held changes nothing and signals nothing.
class CardSession : public QObject {
    Q_OBJECT
public:
    static constexpr int HeaderLines = 6;
    static constexpr int SheetCells = 6;

    explicit CardSession(QObject* parent = nullptr);

    // The stored record the card shows: its identity, the version read and its values.
    RecordOnShow& recordOnShow() { return m_onShow; }
    const RecordOnShow& recordOnShow() const { return m_onShow; }

    // The window-wide variables: the title tab on show, a template begun by New and not yet
    // saved, the last list search, a logo window opened since the last activation.
    MainState& state() { return m_state; }
    const MainState& state() const { return m_state; }

    // Title or body typed and not yet stored.
    void setTextEdited(bool edited) { m_textEdited = edited; }
    // What closing asks about: a caption, option or font changed (editing), or the title or
    // body typed.
    bool hasUnsavedChanges() const { return m_mode.editing || m_textEdited; }

    // The template's captions on show, in header order (Reg #, Make, Serial, Tach, T.T., SMOH),
    // and its two options, as the card shows them (edited or not).
    const QString& caption(int line) const { return m_captions[std::size_t(line)]; }
    void setCaption(int line, const QString& caption);
    bool printsCompany() const { return m_printsCompany; }
    void setPrintsCompany(bool prints);
    bool printsSignature() const { return m_printsSignature; }
    void setPrintsSignature(bool prints);

    // The aircraft values in header order: Reg #, Make, Serial, Tach, T.T., SMOH.
    const QString& aircraftValue(int line) const { return m_values[std::size_t(line)]; }
    void setAircraftValue(int line, const QString& value);
    const QString& date() const { return m_date; }
    void setDate(const QString& date);
    const QString& signatory() const { return m_signatory; }
    void setSignatory(const QString& signatory);

    // The print options: the number of copies as read (below 1 prints nothing, a fraction
    // prints its whole part) and the sheet cells 1..6 already used.
    double copies() const { return m_copies; }
    void setCopies(double copies);
    bool cellUsed(int cell) const;
    void setCellUsed(int cell, bool used);
    void toggleCell(int cell) { setCellUsed(cell, !cellUsed(cell)); }

    // The mode and what it enables.
    const WindowMode& mode() const { return m_mode; }
    bool isEnabled(Command command) const { return session::isEnabled(m_mode, command); }
    bool isEditing() const { return m_mode.editing; }
    // A caption or option changed.
    void enterEditing();
    // A save or a display step: back to browsing.
    void leaveEditing();
    // The body was typed in: Save is offered, nothing else changes.
    void offerSave() { setSaveOffered(true); }
    void setSaveOffered(bool offered);
    void openPrintOptions();
    // The print options panel closed, with or without a job.
    void closePrintOptions();
    void setSetupPanelOpen(bool open);

Q_SIGNALS:
    void modeChanged();
    void captionChanged(int line);
    void optionsChanged();
    void aircraftValueChanged(int line);
    void dateChanged();
    void signatoryChanged();
    void copiesChanged();
    void cellUsedChanged(int cell);

private:
    void changeMode(const WindowMode& mode);

    RecordOnShow m_onShow;
    MainState m_state;
    bool m_textEdited = false;
    std::array<QString, HeaderLines> m_captions;
    bool m_printsCompany = false;
    bool m_printsSignature = false;
    std::array<QString, HeaderLines> m_values;
    QString m_date;
    QString m_signatory;
    double m_copies = 1;
    std::bitset<SheetCells> m_used{0b111110};  // cell 1 free, 2 to 6 used
    WindowMode m_mode;
};

}  // namespace tagwright::session
