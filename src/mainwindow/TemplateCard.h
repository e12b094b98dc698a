#pragma once

#include "session/CardFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QShortcut;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::session {
class CardSession;
class ShopSettings;
}

namespace tagwright::mainwindow {

class ActivationWatch;
class CommandActions;
class HeaderLines;
struct MainWindowControls;

// The card on the main window: the view of the card session and its card file. It shows the
// title tab and tab bars of the template on show, pages with the zones and keys, and runs
// the window's activation. Every template the session shows whole is shown on the title tab
// the session names, with its logo; what is shown and where paging goes are the card
// file's.
class TemplateCard : public QObject {
    Q_OBJECT
public:
    TemplateCard(MainWindowControls& controls, session::CardSession& session,
                 session::CardFile& cards, const session::ShopSettings& shop,
                 ui::UserDialogs& dialogs, QWidget* window,
                 CommandActions& commands);
    ~TemplateCard() override;

    // Empties the six value boxes, shows each line's value box by its caption, shows the
    // title box of `position` (0..2) and the tab bars that go with it. TabPos becomes
    // `position`, so paging always goes on from the tab on show.
    void ShowTitleTab(int position);
    void EnterEditMode();
    void LeaveEditMode();
    bool isEditing() const;

    // Shows the picture the session's logo path names; an empty path clears the picture. A
    // missing or unreadable file leaves the picture as it was.
    void reloadLogo();

    // The main window's activation: after the logo window only the logo is reloaded;
    // otherwise the shop's default template is shown afresh.
    void activate();
    // Shows the template titled `title`, else the first one; with no templates at all a blank
    // new one is begun and the card's other fields stay.
    void showTemplate(const QString& title);

    // One step through the templates in card order, wrapping at both ends; the title tab
    // moves with it. The page zones and PageDown / PageUp run these.
    void pageForward();
    void pageBack();

    // What a move away from a card with unsaved changes does with them, as the user answers:
    // nothing when the user keeps the card. Without an answerer the changes are saved.
    using LeaveQuestion = std::function<std::optional<session::CardFile::Leaving>()>;
    void setLeaveQuestion(LeaveQuestion question) { m_leaveQuestion = std::move(question); }

    // Tells the user why a card command stopped, under a heading for the step it stopped at.
    void report(const session::CardOutcome& outcome);

    HeaderLines& headerLines() { return *m_headerLines; }

private:
    void page(int step);
    std::optional<session::CardFile::Leaving> askLeaving() const;
    void connectPaging();

    MainWindowControls& m_controls;
    session::CardSession& m_session;
    session::CardFile& m_cards;
    const session::ShopSettings& m_shop;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
    CommandActions& m_commands;
    std::unique_ptr<HeaderLines> m_headerLines;
    ActivationWatch* m_activationWatch = nullptr;
    std::vector<QShortcut*> m_pageShortcuts;
    LeaveQuestion m_leaveQuestion;
};

}  // namespace tagwright::mainwindow
