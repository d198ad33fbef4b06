// Stands in for the browser in a test: records every web address the program
// hands to the desktop shell, in order.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    // Takes over http and https for as long as it lives, so an address with
    // the wrong scheme is recorded too instead of reaching a real browser.
    UrlRecorder()
    {
        for (const QString &scheme : schemes())
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const QString &scheme : schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }
    UrlRecorder(const UrlRecorder &) = delete;
    UrlRecorder &operator=(const UrlRecorder &) = delete;

    // The addresses as the browser would get them.
    QStringList openedTexts() const
    {
        QStringList texts;
        for (const QUrl &url : opened)
            texts.append(url.toString());
        return texts;
    }

    QList<QUrl> opened;
    // Runs while the page is being "opened", to look at the state at that moment.
    std::function<void(const QUrl &)> onOpen;

public slots:
    void open(const QUrl &url)
    {
        opened.append(url);
        if (onOpen)
            onOpen(url);
    }

private:
    static QStringList schemes() { return {QStringLiteral("http"), QStringLiteral("https")}; }
};
