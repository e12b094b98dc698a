#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace tagwright::journalview {

// A day to filter by, or none. It starts empty ("any day"); a day is typed as YYYY-MM-DD or
// MM-DD-YYYY, or picked from a calendar that opens at the day chosen, else at today; the
// box's clear button goes back to any day. Text that is no day shows red and filters nothing.
class DayBox : public QWidget {
    Q_OBJECT
public:
    explicit DayBox(const QString& objectName, QWidget* parent = nullptr);

    // Null for any day.
    QDate day() const;
    void setDay(const QDate& day);

    QLineEdit* textBox() const { return m_text; }
    QCalendarWidget* calendar() const { return m_calendar; }
    // Shows the calendar where it opens, without the menu's own loop (tests look at it).
    void prepareCalendar();

Q_SIGNALS:
    void dayChanged();

private:
    void takeText();

    QLineEdit* m_text;
    QToolButton* m_pick;
    QCalendarWidget* m_calendar;
    QDate m_day;
};

}  // namespace tagwright::journalview
