// The meanings of a value where the window shows it: a line for each of its
// numbers (the place's line and the number's), each with a disclosure button
// that opens the number's paragraph. Its widgets are made once; a new chart
// only sets their texts.
#pragma once

#include "chartwords.h"

#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QToolButton;

namespace veltara::chartview {

class MeaningView : public QWidget {
    Q_OBJECT
public:
    // `name` starts the children's object names ("lifePathMeaning",
    // "lifePathMore", "lifePathParagraph"; from the second on with its
    // number, "karmicLessonsMeaning2"); `capacity` is the most meanings the
    // place can hold.
    MeaningView(const QString &name, std::size_t capacity, QWidget *parent);

    // Shows these meanings; the lines past `capacity` are left out.
    void setMeanings(const std::vector<chart::Meaning> &meanings);
    void clear() { setMeanings({}); }

    // The lines shown, one sentence each, for the value's accessible description.
    QString description() const { return m_description; }

    // The disclosure buttons, in order, for the window's focus order.
    std::vector<QWidget *> focusChain() const;

private:
    struct Entry {
        QWidget *row = nullptr;
        QLabel *line = nullptr;
        QToolButton *more = nullptr;
        QLabel *paragraph = nullptr;
    };
    std::vector<Entry> m_entries;
    QString m_description;
};

// A label of plain text that wraps its lines, selectable by the mouse, named
// `name`. It keeps the heights it last worked out for a few widths until its
// text, font or style changes, so that a keystroke that changes some of the
// window's texts lays out those again, not all the others: on bench/run's
// keystroke figure this saves a fifth to a third (median 14.6 to 12.2 ms and
// 11.6 to 8.0 ms, 90th percentile 25.9 to 20.4 ms and 19.1 to 11.4 ms, in
// runs back to back).
QLabel *MakeWrappedLabel(QWidget *parent, const QString &name);

// The meanings of a line as the window shows them, joined into sentences:
// "The road your life takes — freedom: change, travel .... Next line."
QString MeaningSentences(const std::vector<chart::Meaning> &meanings);

} // namespace veltara::chartview
