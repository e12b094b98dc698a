#include "InformationPanel.h"

#include "ui/FormLayout.h"
#include "ui/WindowKeys.h"
#include "store/DataFolders.h"
#include "store/Database.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QAbstractButton>

namespace tagwright::setup {

InformationPanel::InformationPanel(QWidget& window, QWidget& cardArea,
                                   QAbstractButton* informationButton,
                                   store::Database& mainDatabase, store::Database& setupDatabase)
    : QObject(&window),
      m_panel(ui::panel(&cardArea, {"informationPanel", "Panel3D6"}, {1350, 1380, 4965, 4965})),
      m_text(ui::place<QLabel>(m_panel, "InfoText", {150, 150, 4665, 4665})),
      m_mainDatabase(mainDatabase),
      m_setupDatabase(setupDatabase)
{
    setObjectName(QStringLiteral("InformationPanel"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_panel->hide();
    m_panel->installEventFilter(this);
    m_text->installEventFilter(this);
    connect(informationButton, &QAbstractButton::clicked, this, &InformationPanel::toggle);
    ui::cancelOnEscape(m_panel, [panel = m_panel] { panel->hide(); });
}

void InformationPanel::toggle()
{
    if (!m_panel->isHidden()) {
        m_panel->hide();
        return;
    }
    // The paths are read when shown: the panel must name the files actually open.
    m_text->setText(informationText(m_mainDatabase, m_setupDatabase));
    m_panel->show();
    m_panel->raise();
}

bool InformationPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_panel->hide();
    return QObject::eventFilter(watched, event);
}

QString informationText(const store::Database& mainDatabase, const store::Database& setupDatabase)
{
    return QStringLiteral("Tagwright\nVersion %1\n\n"
                          "Composes and prints maintenance-record labels for aircraft "
                          "maintenance shops.\n\n"
                          "Templates and shop settings:\n%2\n\nSetup file:\n%3\n\n%4")
        .arg(QStringLiteral(TAGWRIGHT_VERSION),
             QDir::toNativeSeparators(mainDatabase.path()),
             QDir::toNativeSeparators(setupDatabase.path()),
             store::decideDataLocation(QDir::currentPath(), store::programFolder()).explanation());
}

}  // namespace tagwright::setup
