// Answers every message box of the program in a test and records what was
// shown, in order.
#pragma once

#include "messages.h"

#include <QList>
#include <QString>

#include <deque>

struct ShownMessage {
    QString text;
    int style = 0;
    QString title;
    bool operator==(const ShownMessage &other) const = default;
};

class MessageSpy {
public:
    MessageSpy()
    {
        veltara::SetMessageHandler([this](const QString &text, int style, const QString &title) {
            shown.append({text, style, title});
            if (onShow)
                onShow();
            if (answers.empty())
                return (style & 7) == veltara::MsgStyle::YesNo ? veltara::MsgAnswer::No : veltara::MsgAnswer::Ok;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    ~MessageSpy() { veltara::SetMessageHandler({}); }
    MessageSpy(const MessageSpy &) = delete;
    MessageSpy &operator=(const MessageSpy &) = delete;

    // Answers given in order; without one, OK or No.
    std::deque<int> answers;
    // Runs while a message is "open", to look at the window behind it.
    std::function<void()> onShow;
    QList<ShownMessage> shown;
};
