// A date field that takes what people type: a line edit, a button that opens
// a calendar beside it (and, for the reading date, a Today button), and the
// date it read in words beside them. It never rewrites what the user types;
// text it cannot read leaves it without a date and says why.
//
// ReadTypedDate reads the text: the locale's short and long formats, ISO
// 1962-07-03, "3 Jul 1962", "3 July 1962", "July 3, 1962", and digits with
// '/', '.' or '-' in the order of the locale's short format (3/7/1962 is 3
// July under en_GB, 7 March under en_US). Month names are the English ones
// (full and three-letter, any case) and the locale's own; weekday names are
// passed over. The year has four digits: a shorter one is not guessed, so a
// date being typed ("3 Jul 19") does not read until it is whole.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QWidget>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QToolButton;

namespace veltara {

enum class DateProblem {
    None,
    Empty,
    ShortYear,  // a year of fewer than four digits
    NotADate,   // text that does not read as a day, a month and a year
    NoSuchDate, // 31 February, month 13
    OutOfRange, // a year outside 1 to 9999
};

struct TypedDate {
    QDate date; // valid when there is no problem
    DateProblem problem = DateProblem::None;
};

TypedDate ReadTypedDate(QStringView text, const QLocale &locale);

class DateField : public QWidget {
    Q_OBJECT
public:
    // `name` is the object name (its parts are named after it), `what` the
    // date in a sentence: "birth date".
    DateField(const QString &name, const QString &what, QWidget *parent = nullptr);

    // The date the text reads as; invalid while it reads as none.
    QDate date() const { return m_read.date; }
    DateProblem problem() const { return m_read.problem; }
    // What to type, in one line, when the text reads as no date.
    QString problemLine() const;

    // Writes the date as the locale does; for the user's own choices (the
    // calendar, Today) and dates handed over.
    void setDate(QDate date);
    void setText(const QString &text);
    QString text() const;

    // A "Today" button after the calendar's.
    void addTodayButton();
    // The day taken as today, by Today, the calendar and the meanings' words;
    // the clock's unless set (as a check sets it).
    QDate today() const { return m_today.isValid() ? m_today : QDate::currentDate(); }
    void setToday(QDate day) { m_today = day; }

signals:
    // The text changed, by typing or by setDate.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reread();
    void openCalendar();
    void choose(QDate date);

    QString m_what;
    QLineEdit *m_edit = nullptr;
    QToolButton *m_calendarButton = nullptr;
    QLabel *m_words = nullptr;
    QCalendarWidget *m_calendar = nullptr; // made when first opened
    TypedDate m_read{QDate(), DateProblem::Empty};
    QDate m_today; // invalid: the clock's
};

} // namespace veltara
