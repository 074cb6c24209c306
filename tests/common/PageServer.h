#pragma once
// A web server on 127.0.0.1 inside the test: answers GET path with the page set for it
// (404 otherwise) and counts the requests. Pages are served on the test's event loop.
#include <QHash>
#include <QHostAddress>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class PageServer : public QObject {
public:
    PageServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                handle(socket);
        });
    }
    bool listening() const { return m_server.isListening(); }

    // A request for path is read and never answered, as from a server that hangs.
    void hold(const QString &path) { m_held.insert(path); }

    void serve(const QString &path, const QByteArray &body, const QByteArray &contentType)
    {
        m_pages[path] = {body, contentType};
    }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    int requests(const QString &path) const { return m_requests.value(path); }

    // An address on 127.0.0.1 where nothing listens: fetching it fails at once.
    static QUrl unreachableUrl()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        const quint16 port = probe.serverPort();
        probe.close();
        return QUrl(QStringLiteral("http://127.0.0.1:%1/version.html").arg(port));
    }

private:
    struct Page {
        QByteArray body;
        QByteArray contentType;
    };

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
            if (!buffer->contains("\r\n\r\n"))
                return;
            const QList<QByteArray> request = buffer->left(buffer->indexOf("\r\n")).split(' ');
            const QString path = request.size() > 1 ? QString::fromUtf8(request[1]) : QString();
            buffer->clear();
            m_requests[path] += 1;
            QByteArray response;
            if (m_held.contains(path))
                return;
            if (m_pages.contains(path)) {
                const Page &page = m_pages[path];
                response = "HTTP/1.1 200 OK\r\nContent-Type: " + page.contentType
                           + "\r\nContent-Length: " + QByteArray::number(page.body.size())
                           + "\r\nConnection: close\r\n\r\n" + page.body;
            } else {
                response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
            }
            socket->write(response);
            socket->disconnectFromHost();
        });
    }

    QTcpServer m_server;
    QHash<QString, Page> m_pages;
    QHash<QString, int> m_requests;
    QSet<QString> m_held;
};
