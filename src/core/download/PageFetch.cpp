#include "core/download/PageFetch.h"

#include "core/download/HtmlText.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

QString FetchedPage::text() const
{
    return HtmlText::pageText(body, contentType, url.path());
}

PageFetch::PageFetch(QObject *parent) : QObject(parent), m_network(new QNetworkAccessManager(this))
{
}

PageFetch::~PageFetch()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void PageFetch::abort()
{
    if (m_reply) {
        QNetworkReply *old = m_reply;
        m_reply = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
}

void PageFetch::start(const QUrl &url)
{
    abort();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Always the page as it is now, never a cached copy.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (m_timeoutSeconds > 0)
        request.setTransferTimeout(m_timeoutSeconds * 1000);
    for (const auto &header : m_headers)
        request.setRawHeader(header.first, header.second);
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxBytes) {
            reply->setProperty("tooBig", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
}

void PageFetch::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    FetchedPage page;
    page.url = reply->url();
    page.body = reply->readAll();
    page.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    if (reply->property("tooBig").toBool() || page.body.size() > kMaxBytes) {
        page.error = QStringLiteral("page larger than %1 bytes").arg(kMaxBytes);
        page.body.clear();
    } else if (reply->error() != QNetworkReply::NoError) {
        page.error = reply->errorString();
        page.body.clear();
    } else {
        page.ok = true;
    }
    emit finished(page);
}

FetchedPage PageFetch::fetchAndWait(const QUrl &url, int timeoutSeconds)
{
    PageFetch fetch;
    fetch.setTimeout(timeoutSeconds);
    FetchedPage result;
    QEventLoop loop;
    connect(&fetch, &PageFetch::finished, &loop, [&](const FetchedPage &page) {
        result = page;
        loop.quit();
    });
    fetch.start(url);
    if (fetch.running())
        loop.exec();
    return result;
}

QUrl resolvePageAddress(const QString &line, const QString &programDir)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return QUrl();
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url;
    if (scheme == QLatin1String("file")) {
        const QString path = url.toLocalFile();
        return QUrl::fromLocalFile(QFileInfo(path).isAbsolute() ? path : QDir(programDir).absoluteFilePath(url.path()));
    }
    // A path; a one-letter "scheme" is a Windows drive.
    if (scheme.isEmpty() || scheme.size() == 1)
        return QUrl::fromLocalFile(QDir(programDir).absoluteFilePath(QDir::fromNativeSeparators(text)));
    return url;
}
