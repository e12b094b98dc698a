#pragma once

#include "CardParts.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QShortcut;

namespace tagwright::mainwindow {

class ActivationWatch;
class HeaderLines;
class CommandActions;
class TemplateBinding;

// The card on the main window: shows the current template, pages through the templates,
// and switches between browsing and editing. Other parts of the window (template editing,
// setup panel, font and logo) use these operations; their names are the window's own.
//
// Browsing and editing are the card session's mode (session::WindowMode), which decides
// what is enabled; a body change offers Save without leaving browsing.
class TemplateCard : public QObject {
    Q_OBJECT
public:
    TemplateCard(const CardParts& parts, CommandActions& commands);
    ~TemplateCard() override;

    // Empties the six value boxes, shows each line's value box by its caption, shows the
    // title box of `position` (0..2) and the tab bars that go with it. TabPos becomes
    // `position`, so paging always goes on from the tab on show.
    void ShowTitleTab(int position);
    void EnterEditMode();
    void LeaveEditMode();
    bool isEditing() const;

    // Copies the current template's font, logo, options and captions into the window. The
    // caption and option changes run their reactions, which enter editing: the display
    // steps end with LeaveEditMode.
    void LoadTemplateFields();
    // Shows the picture named by the logo path holder; an empty path clears the picture. A
    // missing or unreadable file leaves the picture as it was.
    void reloadLogo();

    // The main window's activation: after the logo window only the logo is reloaded;
    // otherwise the default template is shown afresh.
    void activate();
    // Makes the template titled `title` current, else the first one; with no templates at
    // all a blank new record is begun (NewLabel 1) and false is returned. Unsaved title or
    // body changes are written to the record being left first; when that is refused, the
    // window stays on it.
    bool goToTemplate(const QString& title);

    // One step through the templates in store order, wrapping at both ends; the title tab
    // moves with it. The page zones and PageDown / PageUp run these.
    void pageForward();
    void pageBack();

    TemplateBinding& binding() { return *m_binding; }
    HeaderLines& headerLines() { return *m_headerLines; }

private:
    void page(int step);
    void setTemplateFont();
    void setLogoFromRecord();
    void setOptionsFromRecord();
    void setCaptionsFromRecord();
    void connectPaging();

    CardParts m_parts;
    CommandActions& m_commands;
    std::unique_ptr<TemplateBinding> m_binding;
    std::unique_ptr<HeaderLines> m_headerLines;
    ActivationWatch* m_activationWatch = nullptr;
    std::vector<QShortcut*> m_pageShortcuts;
};

}  // namespace tagwright::mainwindow
