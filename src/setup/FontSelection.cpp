#include "FontSelection.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/UserDialogs.h"
#include "store/FieldValues.h"
#include "store/Schema.h"

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

FontSelection::FontSelection(mainwindow::MainWindow& window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("FontSelection"));
    connect(window.controls().fontButton, &QPushButton::clicked, this,
            &FontSelection::chooseBodyFont);
}

void FontSelection::chooseBodyFont()
{
    store::TableCursor& templates = m_window.templates();
    if (templates.bof() && templates.eof())
        return;
    const std::optional<QFont> initial =
        initialDialogFont(templates.value(labels::Font), templates.value(labels::Size),
                          templates.value(labels::Bold), templates.value(labels::Italic));
    if (!initial)
        return;
    const std::optional<QFont> chosen = m_window.dialogs().chooseFont(&m_window, *initial);
    if (!chosen || !storeFont(*chosen))
        return;
    QFont bodyFont = m_window.controls().bodyBox->font();
    bodyFont.setFamily(chosen->family());
    bodyFont.setPointSizeF(float(chosen->pointSizeF()));
    bodyFont.setBold(chosen->bold());
    bodyFont.setItalic(chosen->italic());
    m_window.controls().bodyBox->setFont(bodyFont);
}

// A saved template takes the font at once; a new one keeps it pending until it is saved.
// A refused write is reported and leaves the record and the body box as they were.
bool FontSelection::storeFont(const QFont& font)
{
    store::TableCursor& templates = m_window.templates();
    const bool saved = m_window.state().NewLabel == 0;
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
        m_window.dialogs().showMessage(&m_window, QMessageBox::Critical,
                                       QStringLiteral("Tagwright"), error.describe());
        return false;
    }
    return true;
}

}  // namespace tagwright::setup
