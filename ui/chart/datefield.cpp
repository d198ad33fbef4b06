#include "datefield.h"

#include "meaningview.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace veltara {

namespace {

// The engine's range.
const QDate FirstDate(1, 1, 1);
const QDate LastDate(9999, 12, 31);

const char *const EnglishMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
const char *const EnglishDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char *const OrdinalSuffixes[] = {"st", "nd", "rd", "th"};

enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };

// The order of day, month and year in the locale's short format.
Order OrderOf(const QLocale &locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd'), month = format.indexOf(u'M'), year = format.indexOf(u'y');
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        return Order::YearMonthDay;
    return month >= 0 && day >= 0 && month < day ? Order::MonthDayYear : Order::DayMonthYear;
}

// A format with its year written with four digits ("yy" read as "yyyy").
QString FourDigitYears(QString format)
{
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)y{1,3}(?!y)"));
    return format.replace(shortYear, QStringLiteral("yyyy"));
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsSeparator(QChar c)
{
    return c.isSpace() || c == u'/' || c == u'.' || c == u'-' || c == u',';
}

// Whether the text holds the year as a run of exactly four digits.
bool HoldsFourDigitYear(QStringView text, int year)
{
    const QString written = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        if (end - i == 4 && text.sliced(i, 4) == written)
            return true;
        i = std::max(end, i + 1);
    }
    return false;
}

// The date in one of the locale's own formats, four-digit years only.
QDate InLocaleFormats(QStringView text, const QLocale &locale)
{
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(text.toString(), FourDigitYears(locale.dateFormat(type)));
        if (date.isValid() && date >= FirstDate && date <= LastDate && HoldsFourDigitYear(text, date.year()))
            return date;
    }
    return {};
}

// A name as typed: any case, with or without its dots ("Sept." or "Sept").
bool IsName(QStringView word, QString name)
{
    name.remove(u'.');
    return !name.isEmpty() && word.compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

bool IsEnglishName(QStringView word, const char *name)
{
    const QLatin1StringView full(name);
    return word.compare(full, Qt::CaseInsensitive) == 0 || word.compare(full.first(3), Qt::CaseInsensitive) == 0;
}

// The month a word names (1 to 12), or 0.
int MonthNamed(QStringView word, const QLocale &locale)
{
    for (int month = 1; month <= 12; ++month) {
        for (const QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
            if (IsName(word, locale.monthName(month, type)) || IsName(word, locale.standaloneMonthName(month, type)))
                return month;
        }
    }
    for (int month = 1; month <= 12; ++month) {
        if (IsEnglishName(word, EnglishMonths[month - 1]))
            return month;
    }
    return 0;
}

bool IsDayName(QStringView word, const QLocale &locale)
{
    for (int day = 1; day <= 7; ++day) {
        if (IsEnglishName(word, EnglishDays[day - 1]))
            return true;
        for (const QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
            if (IsName(word, locale.dayName(day, type)) || IsName(word, locale.standaloneDayName(day, type)))
                return true;
        }
    }
    return false;
}

bool IsOrdinalSuffix(QStringView word)
{
    return std::any_of(std::begin(OrdinalSuffixes), std::end(OrdinalSuffixes), [word](const char *suffix) {
        return word.compare(QLatin1StringView(suffix), Qt::CaseInsensitive) == 0;
    });
}

// A run of digits or of letters, and whether it follows the one before
// without a separator ("3rd").
struct Piece {
    QStringView text;
    bool number = false;
    bool joined = false;
};

// The text's runs of digits and letters; false when it holds a character
// that is neither nor a separator.
bool Split(QStringView text, std::vector<Piece> &pieces)
{
    for (qsizetype i = 0; i < text.size();) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        const bool number = IsDigit(text[i]);
        if (!number && !text[i].isLetter())
            return false;
        qsizetype end = i + 1;
        while (end < text.size() && (number ? IsDigit(text[end]) : text[end].isLetter() || text[end].isMark()))
            ++end;
        pieces.push_back({text.sliced(i, end - i), number, !pieces.empty() && i > 0 && !IsSeparator(text[i - 1])});
        i = end;
    }
    return true;
}

const QDate ExampleDate(1980, 12, 25);

// "12/25/1980" as the locale writes it; in digits where it names the month.
QString DigitsExample(const QLocale &locale)
{
    const QString format = FourDigitYears(locale.dateFormat(QLocale::ShortFormat));
    if (!format.contains(QStringLiteral("MMM")))
        return locale.toString(ExampleDate, format);
    const Order order = OrderOf(locale);
    return ExampleDate.toString(order == Order::YearMonthDay   ? QStringLiteral("yyyy-MM-dd")
                                : order == Order::MonthDayYear ? QStringLiteral("M/d/yyyy")
                                                               : QStringLiteral("d/M/yyyy"));
}

// "12/25/1980 or December 25, 1980" as the locale orders them.
QString Examples(const QLocale &locale)
{
    const Order order = OrderOf(locale);
    if (order == Order::YearMonthDay)
        return DigitsExample(locale);
    return DigitsExample(locale) + QStringLiteral(" or ") +
           locale.toString(ExampleDate, order == Order::MonthDayYear ? QStringLiteral("MMMM d, yyyy")
                                                                     : QStringLiteral("d MMMM yyyy"));
}

} // namespace

TypedDate ReadTypedDate(QStringView text, const QLocale &locale)
{
    text = text.trimmed();
    if (text.isEmpty())
        return {{}, DateProblem::Empty};
    if (const QDate date = InLocaleFormats(text, locale); date.isValid())
        return {date, DateProblem::None};

    const TypedDate notADate{{}, DateProblem::NotADate};
    std::vector<Piece> pieces;
    if (!Split(text, pieces))
        return notADate;
    std::vector<QStringView> numbers;
    int month = 0;
    int monthNames = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece &piece = pieces[i];
        if (piece.number) {
            numbers.push_back(piece.text);
        } else if (const int named = MonthNamed(piece.text, locale)) {
            month = named;
            ++monthNames;
        } else if (!IsDayName(piece.text, locale) &&
                   !(piece.joined && pieces[i - 1].number && IsOrdinalSuffix(piece.text))) {
            return notADate;
        }
    }

    QStringView day, monthDigits, year;
    if (monthNames == 1 && numbers.size() == 2) {
        // "3 July 1962", "July 3, 1962"; "1962 July 3" with the year first.
        const bool yearFirst = numbers[0].size() > 2;
        day = numbers[yearFirst ? 1 : 0];
        year = numbers[yearFirst ? 0 : 1];
    } else if (monthNames == 0 && numbers.size() == 3) {
        // A year first (more than two digits) is ISO's order; else the locale's.
        switch (numbers[0].size() > 2 ? Order::YearMonthDay : OrderOf(locale)) {
        case Order::DayMonthYear:
            day = numbers[0], monthDigits = numbers[1], year = numbers[2];
            break;
        case Order::MonthDayYear:
            monthDigits = numbers[0], day = numbers[1], year = numbers[2];
            break;
        case Order::YearMonthDay:
            year = numbers[0], monthDigits = numbers[1], day = numbers[2];
            break;
        }
        month = monthDigits.toInt();
    } else {
        return notADate;
    }
    if (year.size() < 4)
        return {{}, DateProblem::ShortYear};
    const int yearValue = year.toInt();
    if (yearValue < FirstDate.year() || yearValue > LastDate.year())
        return {{}, DateProblem::OutOfRange};
    if (year.size() > 4 || day.size() > 2 || monthDigits.size() > 2)
        return notADate;
    const QDate date(yearValue, month, day.toInt());
    if (!date.isValid())
        return {{}, DateProblem::NoSuchDate};
    return {date, DateProblem::None};
}

DateField::DateField(const QString &name, const QString &what, QWidget *parent)
    : QWidget(parent)
    , m_what(what)
{
    setObjectName(name);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(name + QStringLiteral("Text"));
    m_edit->setAccessibleName(what.left(1).toUpper() + what.mid(1));
    m_edit->setPlaceholderText(QStringLiteral("e.g. ") + DigitsExample(locale()));
    // Wide enough for a date with its month's name.
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("September 30, 1962")) +
                            m_edit->fontMetrics().averageCharWidth() * 4);
    m_edit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_edit->installEventFilter(this);

    m_calendarButton = new QToolButton(this);
    m_calendarButton->setObjectName(name + QStringLiteral("Calendar"));
    m_calendarButton->setArrowType(Qt::DownArrow);
    m_calendarButton->setAccessibleName(QStringLiteral("Calendar for the ") + what);
    m_calendarButton->setToolTip(QStringLiteral("Choose the %1 on a calendar (Alt+Down)").arg(what));
    m_calendarButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    m_words = chartview::MakeWrappedLabel(this, name + QStringLiteral("Words"));

    layout->addWidget(m_edit);
    layout->addWidget(m_calendarButton);
    layout->addWidget(m_words, 1);
    // The label of the field and the Tab key reach the line edit.
    setFocusPolicy(m_edit->focusPolicy());
    setFocusProxy(m_edit);

    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        reread();
        emit edited();
    });
    connect(m_calendarButton, &QToolButton::clicked, this, &DateField::openCalendar);
    reread();
}

QString DateField::problemLine() const
{
    const QString examples = Examples(locale());
    switch (m_read.problem) {
    case DateProblem::None:
        break;
    case DateProblem::Empty:
        return QStringLiteral("Type the %1, as %2.").arg(m_what, examples);
    case DateProblem::ShortYear:
        return QStringLiteral("Type the year of the %1 with all four digits, as in %2.")
            .arg(m_what, DigitsExample(locale()));
    case DateProblem::NotADate:
        return QStringLiteral("The %1 does not read as a date: type it as %2.").arg(m_what, examples);
    case DateProblem::NoSuchDate:
        return QStringLiteral("The %1 is no day of the calendar: check its day and month.").arg(m_what);
    case DateProblem::OutOfRange:
        return QStringLiteral("The year of the %1 must be from 1 to 9999.").arg(m_what);
    }
    return QString();
}

void DateField::setDate(QDate date)
{
    const QLocale here = locale();
    QString text = here.toString(date, FourDigitYears(here.dateFormat(QLocale::ShortFormat)));
    // A locale whose short format does not read back gets ISO's.
    if (ReadTypedDate(text, here).date != date)
        text = date.toString(Qt::ISODate);
    m_edit->setText(text);
}

void DateField::setText(const QString &text)
{
    m_edit->setText(text);
}

QString DateField::text() const
{
    return m_edit->text();
}

void DateField::addTodayButton()
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName() + QStringLiteral("Today"));
    button->setText(QStringLiteral("&Today"));
    button->setToolTip(QStringLiteral("Set the %1 to today").arg(m_what));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(button, &QToolButton::clicked, this, [this] { setDate(today()); });
    static_cast<QHBoxLayout *>(layout())->insertWidget(layout()->indexOf(m_words), button);
}

void DateField::reread()
{
    m_read = ReadTypedDate(m_edit->text(), locale());
    m_words->setText(m_read.date.isValid() ? locale().toString(m_read.date, QLocale::LongFormat) : QString());
    m_edit->setAccessibleDescription(m_read.date.isValid() ? m_words->text() : problemLine());
}

void DateField::openCalendar()
{
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setObjectName(objectName() + QStringLiteral("Popup"));
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setDateRange(FirstDate, LastDate);
        m_calendar->setAccessibleName(m_calendarButton->accessibleName());
        // A click on a day, or Enter, chooses it; Escape closes.
        connect(m_calendar, &QCalendarWidget::clicked, this, &DateField::choose);
        connect(m_calendar, &QCalendarWidget::activated, this, &DateField::choose);
    }
    m_calendar->setSelectedDate(m_read.date.isValid() ? m_read.date : today());
    m_calendar->adjustSize();
    // Under the field, inside the screen.
    const QRect screen = m_calendarButton->screen()->availableGeometry();
    QPoint at = m_edit->mapToGlobal(QPoint(0, m_edit->height()));
    at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - m_calendar->width())));
    if (at.y() + m_calendar->height() > screen.bottom())
        at.setY(std::max(screen.top(), m_edit->mapToGlobal(QPoint(0, 0)).y() - m_calendar->height()));
    m_calendar->move(at);
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DateField::choose(QDate date)
{
    m_calendar->hide();
    setDate(date);
    m_edit->setFocus(Qt::PopupFocusReason);
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    // Alt+Down or F4 in the line edit opens the calendar, as a drop-down list's.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) ||
            (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier)) {
            openCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veltara
