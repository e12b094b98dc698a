#include "FontSelection.h"

#include "SetupHost.h"

#include "ui/ScreenFonts.h"
#include "ui/UserDialogs.h"
#include "session/CardFile.h"
#include "session/CardSession.h"
#include "store/Template.h"

#include <QFontInfo>
#include <QAbstractButton>

namespace tagwright::setup {

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

std::optional<QFont> initialDialogFont(const store::Template& stored)
{
    switch (stored.fontNamed) {
    case store::Template::FontNamed::None:
        return fontOf(store::fields::DefaultFontName, store::fields::DefaultFontSize, false, false);
    case store::Template::FontNamed::Partly:
        return std::nullopt;
    case store::Template::FontNamed::Fully:
        break;
    }
    return fontOf(stored.fontName, stored.fontSize, stored.bold, stored.italic);
}

QFont asStored(const QFont& chosen, const QFont& initial)
{
    QFont stored = chosen;
    // The dialog lists installed families only: the template's own family comes back as the
    // one it is shown in, and keeps its name.
    if (chosen.family() == initial.family() || chosen.family() == QFontInfo(initial).family())
        stored.setFamily(initial.family());
    else
        stored.setFamily(ui::windowsFamilyName(chosen.family()));
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

FontSelection::FontSelection(QWidget& window, QAbstractButton* fontButton,
                             ui::UserDialogs& dialogs, TemplateOnShow& card)
    : QObject(&window), m_window(window), m_dialogs(dialogs), m_card(card)
{
    setObjectName(QStringLiteral("FontSelection"));
    connect(fontButton, &QAbstractButton::clicked, this, &FontSelection::chooseBodyFont);
}

// A saved template takes the font at once; a new one keeps it until it is saved. A refused
// write is reported and leaves the template and the body box as they were.
void FontSelection::chooseBodyFont()
{
    session::CardFile& cards = m_card.cards();
    if (cards.isEmpty())
        return;
    const std::optional<QFont> initial = initialDialogFont(m_card.session().storedTemplate());
    if (!initial)
        return;
    const std::optional<QFont> answer = m_dialogs.chooseFont(&m_window, *initial);
    if (!answer)
        return;
    const QFont chosen = asStored(*answer, *initial);
    if (sameAsShown(chosen, *initial))
        return;
    const session::CardOutcome stored =
        cards.storeFont({chosen.family(), float(chosen.pointSizeF()), chosen.bold(), chosen.italic()});
    if (!stored.ok()) {
        m_dialogs.showMessage(&m_window, QMessageBox::Critical, QStringLiteral("Tagwright"),
                              stored.error.describe());
    }
}

}  // namespace tagwright::setup
