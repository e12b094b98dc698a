#pragma once

#include <QFont>
#include <QObject>
#include <QVariant>

#include <optional>

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// The "Font" button: the body font of the template on show, chosen in the font dialog,
// written to the template at once (or kept with a new template until it is saved) and shown
// in the body box.
class FontSelection : public QObject {
    Q_OBJECT
public:
    explicit FontSelection(mainwindow::MainWindow& window);

    void chooseBodyFont();

private:
    bool storeFont(const QFont& font);

    mainwindow::MainWindow& m_window;
};

// The dialog's starting font for a template's stored Font, Size, Bold and Italic. A template
// without a font starts on "MS Sans Serif" 8.25, plain; one with a font but without its size,
// bold or italic cannot say what it looks like, and gives nothing.
std::optional<QFont> initialDialogFont(const QVariant& font, const QVariant& size,
                                       const QVariant& bold, const QVariant& italic);

// The font to store for the dialog's answer: a family standing for a Windows name is stored
// under that name ("Liberation Serif" as "Times New Roman"), and the template's own family,
// which the dialog shows as its installed stand-in, keeps the name it was stored with.
QFont asStored(const QFont& chosen, const QFont& initial);
// True when the dialog was left as it opened: OK without a change stores nothing.
bool sameAsShown(const QFont& stored, const QFont& initial);

}  // namespace tagwright::setup
