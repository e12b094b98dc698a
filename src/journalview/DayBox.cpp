#include "DayBox.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace tagwright::journalview {

namespace {

const QString ShownFormat = QStringLiteral("yyyy-MM-dd");

QDate dayFrom(const QString& text)
{
    for (const QString& format : {ShownFormat, QStringLiteral("MM-dd-yyyy")}) {
        const QDate day = QDate::fromString(text.trimmed(), format);
        if (day.isValid())
            return day;
    }
    return {};
}

}  // namespace

DayBox::DayBox(const QString& objectName, QWidget* parent)
    : QWidget(parent), m_text(new QLineEdit), m_pick(new QToolButton), m_calendar(new QCalendarWidget)
{
    setObjectName(objectName);
    m_text->setObjectName(objectName + QStringLiteral("Text"));
    m_text->setPlaceholderText(QStringLiteral("any day"));
    m_text->setClearButtonEnabled(true);
    m_text->setToolTip(QStringLiteral("A day as YYYY-MM-DD or MM-DD-YYYY; empty for any day"));
    m_text->setMaximumWidth(m_text->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 48);

    m_calendar->setObjectName(objectName + QStringLiteral("Calendar"));
    auto* menu = new QMenu(m_pick);
    auto* holder = new QWidgetAction(menu);
    holder->setDefaultWidget(m_calendar);
    menu->addAction(holder);
    m_pick->setObjectName(objectName + QStringLiteral("Pick"));
    m_pick->setText(QStringLiteral("..."));
    m_pick->setToolTip(QStringLiteral("Pick the day from a calendar"));
    m_pick->setMenu(menu);
    m_pick->setPopupMode(QToolButton::InstantPopup);
    connect(menu, &QMenu::aboutToShow, this, &DayBox::prepareCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this, menu](const QDate& picked) {
        setDay(picked);
        menu->close();
    });
    connect(m_text, &QLineEdit::textChanged, this, &DayBox::takeText);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_text);
    layout->addWidget(m_pick);
}

QDate DayBox::day() const
{
    return m_day;
}

void DayBox::setDay(const QDate& day)
{
    m_text->setText(day.isValid() ? day.toString(ShownFormat) : QString());
}

void DayBox::prepareCalendar()
{
    const QDate shown = m_day.isValid() ? m_day : QDate::currentDate();
    m_calendar->setSelectedDate(shown);
    m_calendar->setCurrentPage(shown.year(), shown.month());
}

void DayBox::takeText()
{
    const QString text = m_text->text();
    const QDate day = dayFrom(text);
    const bool understood = text.trimmed().isEmpty() || day.isValid();
    m_text->setStyleSheet(understood ? QString() : QStringLiteral("color: #b00000"));
    if (day == m_day)
        return;
    m_day = day;
    Q_EMIT dayChanged();
}

}  // namespace tagwright::journalview
