#pragma once

#include "MainState.h"
#include "WindowMode.h"

#include "printing/LogoCache.h"
#include "printing/PrintRequest.h"
#include "store/Result.h"
#include "store/Template.h"

#include <QFlags>
#include <QObject>
#include <QString>

#include <array>
#include <bitset>

namespace tagwright::store {
class SignatoryStore;
}

namespace tagwright::session {

class ShopSettings;
using printing::BodyFont;

// The state of one card session, without widgets: the template on show with its title,
// body, font, logo, captions and options as the card shows them, and what of that differs
// from what is stored; the aircraft values, date and signatory typed for the next label;
// the print options; and the window's mode with what it enables. The window binds its
// controls to this: a control's edit sets the value here, a change made here is shown.
// A setter given the value already held changes nothing and signals nothing.
//
// The card shows one title; the three title tabs of the window are views of it.
class CardSession : public QObject {
    Q_OBJECT
public:
    static constexpr int HeaderLines = 6;
    static constexpr int SheetCells = 6;
    static constexpr int TitleTabs = 3;

    // The parts of the card that can differ from the stored template.
    using Part = store::TemplatePart;
    using Parts = store::TemplateParts;

    // `shop`, when given, is the shop whose block, offsets and label stock the session's
    // labels print with; `signatories`, when given, whose certificates they print.
    explicit CardSession(const ShopSettings* shop = nullptr,
                         const store::SignatoryStore* signatories = nullptr, QObject* parent = nullptr);

    // What Print prints now: the card's header lines, date, body with its font, options and
    // signatory with the certificate of the shop's signatory by that name, the logo decoded
    // from the logo path, the copies and used cells, with the shop's block (its station
    // number too) and offsets as stored and the label stock as stored now (read afresh). A
    // shop record or signatory that cannot be read is an error: no label is printed on a
    // guessed stock, nor without a certificate the shop keeps.
    store::Result<printing::PrintRequest> printRequest() const;
    // The empty header values a job printed as underscore runs: they show on the card.
    void showFilledValues(const QVector<printing::ValueFill>& filled);

    // Shows `stored` whole: its title, body, font, logo, options and captions, as a display
    // step does, and leaves editing. The card then holds no unsaved change.
    void show(const store::Template& stored);
    // Only the title and body follow `stored` (a template begun, written as new, or shown
    // after a deletion); the card's other fields stay as they are.
    void showTitleAndBody(const store::Template& stored);
    // The template on show was written: `stored` is what it holds now, and the title and
    // body as the card shows them are no longer unsaved.
    void recordWritten(const store::Template& stored);
    // The template on show was written by a command that wrote neither its title nor its
    // body (a font chosen): its new version and values are taken, the title and body typed
    // since it was shown are still unsaved.
    void recordRewritten(const store::Template& stored);
    // The stored template the card shows: its identity, the version read and its values;
    // not stored (identity -1) while a template is being begun or none is left.
    const store::Template& storedTemplate() const { return m_onShow; }
    // What the card holds, as a template to store: the stored template's identity with the
    // title, body (stored form), font, logo, options and captions on show.
    store::Template edited() const;

    // The window-wide variables: the title tab on show, a template begun by New and not yet
    // saved, the last list search, a logo window opened since the last activation.
    MainState& state() { return m_state; }
    const MainState& state() const { return m_state; }

    // The title, and the body with its lines separated by "\n", as the card shows them.
    const QString& title() const { return m_title; }
    void setTitle(const QString& title);
    const QString& body() const { return m_body; }
    void setBody(const QString& body);
    bool titleEdited() const { return m_title != m_shownTitle; }
    bool bodyEdited() const { return m_body != m_shownBody; }
    bool titleOrBodyEdited() const { return titleEdited() || bodyEdited(); }
    // The font the body is shown and printed in.
    const BodyFont& bodyFont() const { return m_bodyFont; }
    void setBodyFont(const BodyFont& font);
    // The logo file's path, empty without one.
    const QString& logo() const { return m_logo; }
    void setLogo(const QString& path);

    // What the card shows that the stored template does not hold: a title or body typed
    // since the record was shown; captions, options or a logo other than the record's. A
    // template not yet stored has only its typed title and body to compare. The font is
    // written when it is chosen and never differs.
    Parts differsFromStored() const;
    // What closing asks about: a caption, option or font changed (editing), or anything that
    // differs from what is stored.
    bool hasUnsavedChanges() const { return m_mode.editing || differsFromStored(); }

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
    // A laser print placed labels: the cells they covered on the last sheet are used now,
    // and a sheet left full gives way to a fresh one with every cell free.
    void markPrintedCells(const printing::UsedCells& lastSheetCells);

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
    // A template was shown whole (show()): the views show it on the title tab TabPos names.
    void shown();
    void titleChanged();
    void bodyChanged();
    void bodyFontChanged();
    void logoChanged();
    void captionChanged(int line);
    void optionsChanged();
    void aircraftValueChanged(int line);
    void dateChanged();
    void signatoryChanged();
    void copiesChanged();
    void cellUsedChanged(int cell);

private:
    void changeMode(const WindowMode& mode);
    void markShown();

    const ShopSettings* m_shop = nullptr;
    const store::SignatoryStore* m_signatories = nullptr;
    mutable printing::LogoCache m_logos;
    store::Template m_onShow;
    MainState m_state;
    QString m_title;
    QString m_shownTitle;  // as the template was shown or written
    QString m_body;
    QString m_shownBody;
    BodyFont m_bodyFont;
    QString m_logo;
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
