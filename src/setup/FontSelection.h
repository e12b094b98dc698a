#pragma once

#include <QFont>
#include <QObject>

#include <optional>

class QAbstractButton;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::store {
struct Template;
}

namespace tagwright::setup {

class TemplateOnShow;

// The "Font" button: the body font of the template on show, chosen in the font dialog,
// written to the template at once (or kept with a new template until it is saved) and shown
// in the body box.
class FontSelection : public QObject {
    Q_OBJECT
public:
    FontSelection(QWidget& window, QAbstractButton* fontButton, ui::UserDialogs& dialogs,
                  TemplateOnShow& card);

    void chooseBodyFont();

private:
    QWidget& m_window;
    ui::UserDialogs& m_dialogs;
    TemplateOnShow& m_card;
};

// The dialog's starting font for a template's stored Font, Size, Bold and Italic. A template
// without a font starts on "MS Sans Serif" 8.25, plain; one with a font but without its size,
// bold or italic cannot say what it looks like, and gives nothing.
std::optional<QFont> initialDialogFont(const store::Template& stored);

// The font to store for the dialog's answer: a family standing for a Windows name is stored
// under that name ("Liberation Serif" as "Times New Roman"), and the template's own family,
// which the dialog shows as its installed stand-in, keeps the name it was stored with.
QFont asStored(const QFont& chosen, const QFont& initial);
// True when the dialog was left as it opened: OK without a change stores nothing.
bool sameAsShown(const QFont& stored, const QFont& initial);

}  // namespace tagwright::setup
