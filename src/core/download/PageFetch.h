#pragma once
// Fetches one page (http, https or file://) without blocking: finished() comes once
// per start(), on this object's thread, whether the page arrived or not. The download
// dialog, the version check and balvora-cli all read their pages through it.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QObject>
#include <QPointer>
#include <QMetaType>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

struct FetchedPage {
    QUrl url;
    bool ok = false;
    QString error;            // why it did not arrive, when !ok
    QByteArray body;
    QByteArray contentType;   // the Content-Type header; empty for file:// pages

    // The page's text content (decoded; innerText when it is HTML).
    QString text() const;
};

Q_DECLARE_METATYPE(FetchedPage)

class PageFetch : public QObject {
    Q_OBJECT
public:
    // Bigger pages are refused rather than held in memory; the full history is about 100 KB.
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;

    explicit PageFetch(QObject *parent = nullptr);
    ~PageFetch() override;

    // A fetch still running is abandoned (no finished() for it).
    void start(const QUrl &url);
    // Abandons the running fetch, if any; no finished() comes for it.
    void abort();
    bool running() const { return !m_reply.isNull(); }
    // Seconds without progress after which the fetch fails; 0 never.
    void setTimeout(int seconds) { m_timeoutSeconds = seconds; }
    // Header lines sent with every later start() (a service that answers browsers only).
    void setRawHeaders(const QList<QPair<QByteArray, QByteArray>> &headers) { m_headers = headers; }

    // Fetches and waits, for the command line.
    static FetchedPage fetchAndWait(const QUrl &url, int timeoutSeconds = 30);

signals:
    void finished(const FetchedPage &page);

private:
    void replyFinished(QNetworkReply *reply);

    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    int m_timeoutSeconds = 30;
    QList<QPair<QByteArray, QByteArray>> m_headers;
};

// A page address as written in a user/ file: http(s) and file:// addresses as they are;
// a plain path (or a file: address with a relative path) is a file, relative to programDir.
QUrl resolvePageAddress(const QString &line, const QString &programDir);
