#include "FontSelection.h"

#include "SetupHost.h"

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/ScreenFonts.h"
#include "mainwindow/UserDialogs.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "session/CardSession.h"
#include "store/TableCursor.h"

#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tagwright::setup {

namespace labels = store::schema::labels;

namespace {

QFont fontOf(const QString& family, double points, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

}  // namespace

std::optional<QFont> initialDialogFont(const QVariant& font, const QVariant& size,
                                       const QVariant& bold, const QVariant& italic)
{
    if (font.isNull())
        return fontOf(store::fields::DefaultFontName, store::fields::DefaultFontSize, false, false);
    if (size.isNull() || bold.isNull() || italic.isNull())
        return std::nullopt;
    return fontOf(font.toString(), size.toDouble(), bold.toBool(), italic.toBool());
}

QFont asStored(const QFont& chosen, const QFont& initial)
{
    QFont stored = chosen;
    // The dialog lists installed families only: the template's own family comes back as the
    // one it is shown in, and keeps its name.
    if (chosen.family() == initial.family() || chosen.family() == QFontInfo(initial).family())
        stored.setFamily(initial.family());
    else
        stored.setFamily(mainwindow::windowsFamilyName(chosen.family()));
    return stored;
}

bool sameAsShown(const QFont& stored, const QFont& initial)
{
    // The dialog offers whole point sizes: 8.25 comes back as 8 when left alone.
    const double size = stored.pointSizeF();
    return stored.family() == initial.family() && stored.bold() == initial.bold()
        && stored.italic() == initial.italic()
        && (size == initial.pointSizeF() || size == double(initial.pointSize()));
}

FontSelection::FontSelection(QWidget& window, mainwindow::MainWindowControls& controls,
                             mainwindow::UserDialogs& dialogs, TemplateOnShow& card)
    : QObject(&window), m_window(window), m_controls(controls), m_dialogs(dialogs), m_card(card)
{
    setObjectName(QStringLiteral("FontSelection"));
    connect(controls.fontButton, &QPushButton::clicked, this,
            &FontSelection::chooseBodyFont);
}

void FontSelection::chooseBodyFont()
{
    store::TableCursor& templates = m_card.templates();
    if (templates.bof() && templates.eof())
        return;
    const std::optional<QFont> initial =
        initialDialogFont(templates.value(labels::Font), templates.value(labels::Size),
                          templates.value(labels::Bold), templates.value(labels::Italic));
    if (!initial)
        return;
    const std::optional<QFont> answer = m_dialogs.chooseFont(&m_window, *initial);
    if (!answer)
        return;
    const QFont chosen = asStored(*answer, *initial);
    if (sameAsShown(chosen, *initial) || !storeFont(chosen))
        return;
    m_card.session().setBodyFont(
        {chosen.family(), float(chosen.pointSizeF()), chosen.bold(), chosen.italic()});
}

// A saved template takes the font at once; a new one keeps it pending until it is saved.
// A refused write is reported and leaves the record and the body box as they were.
bool FontSelection::storeFont(const QFont& font)
{
    store::TableCursor& templates = m_card.templates();
    const bool saved = !m_card.isUnsavedNew();
    // A record already open for editing keeps what is pending in it.
    if (saved && templates.editMode() == store::TableCursor::EditMode::None) {
        if (store::StoreError error = templates.edit(); !error.ok())
            return false;
    }
    templates.setValue(labels::Font, font.family());
    templates.setValue(labels::Size, float(font.pointSizeF()));
    templates.setValue(labels::Bold, font.bold());
    templates.setValue(labels::Italic, font.italic());
    if (!saved)
        return true;
    if (store::StoreError error = templates.update(); !error.ok()) {
        templates.cancelUpdate();
        m_dialogs.showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Tagwright"),
                              error.describe());
        return false;
    }
    m_card.recordWritten();
    return true;
}

}  // namespace tagwright::setup
