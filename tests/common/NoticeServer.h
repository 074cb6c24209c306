#pragma once
// The results service on 127.0.0.1 inside a test: answers GET path?query with the answer set
// for its pageNo (404 otherwise), keeps the header lines of every request, and can answer
// with an HTTP error or a body cut short of its Content-Length.
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

class NoticeServer : public QObject {
public:
    struct Answer {
        QByteArray body;
        QByteArray contentType = "application/json;charset=UTF-8";
        QByteArray status = "200 OK";
        qint64 cutAt = -1;  // send this many bytes of the body only, then close
    };

    NoticeServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                handle(socket);
        });
    }
    bool listening() const { return m_server.isListening(); }

    void page(int pageNo, const Answer &answer) { m_pages[pageNo] = answer; }
    void page(int pageNo, const QByteArray &json) { m_pages[pageNo] = Answer{json}; }

    // The notice's address as user/Notice.txt would hold it.
    QUrl address() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice"
                                   "?name=ssq&pageNo=1&pageSize=3&systemType=PC")
                        .arg(m_server.serverPort()));
    }
    QList<int> requestedPages() const { return m_requested; }
    // The header lines of the last request, lower-case names.
    QHash<QByteArray, QByteArray> lastHeaders() const { return m_lastHeaders; }

private:
    void handle(QTcpSocket *socket)
    {
        socket->setParent(this);
        auto *buffer = new QByteArray;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> lines = buffer->left(end).split('\n');
            const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
            buffer->clear();
            m_lastHeaders.clear();
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    m_lastHeaders.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
            }
            const QUrl url(QString::fromUtf8(request.value(1)));
            const int pageNo = QUrlQuery(url).queryItemValue(QStringLiteral("pageNo")).toInt();
            m_requested << pageNo;
            QByteArray response;
            if (m_pages.contains(pageNo)) {
                const Answer &a = m_pages[pageNo];
                const QByteArray body = a.cutAt >= 0 ? a.body.left(a.cutAt) : a.body;
                response = "HTTP/1.1 " + a.status + "\r\nContent-Type: " + a.contentType
                           + "\r\nContent-Length: " + QByteArray::number(a.body.size())
                           + "\r\nConnection: close\r\n\r\n" + body;
            } else {
                response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            }
            socket->write(response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QHash<int, Answer> m_pages;
    QList<int> m_requested;
    QHash<QByteArray, QByteArray> m_lastHeaders;
};
