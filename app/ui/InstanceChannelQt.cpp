#include "app/ui/InstanceChannelQt.h"

#include "platform/ApplicationId.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace dialtally {

namespace {

constexpr int ConnectTimeoutMs = 1000;

} // namespace

InstanceChannelQt::InstanceChannelQt(const QString& programFolder, QObject* parent)
    : QObject(parent)
{
    const QByteArray folder =
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    m_name = QStringLiteral("%1-%2-%3")
                 .arg(QLatin1String(ApplicationId))
                 .arg(getuid())
                 .arg(QString::fromLatin1(folder));
}

bool InstanceChannelQt::HandOver(const QStringList& lines) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    socket.flush();
    const bool written = socket.waitForBytesWritten(ConnectTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
    return written;
}

bool InstanceChannelQt::Listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A window that crashed leaves its socket behind.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            auto* buffer = new QByteArray;
            connect(socket, &QLocalSocket::readyRead, socket,
                    [socket, buffer] { buffer->append(socket->readAll()); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
                buffer->append(socket->readAll());
                QStringList lines = QString::fromUtf8(*buffer).split(QLatin1Char('\n'));
                lines.removeAll(QString());
                delete buffer;
                socket->deleteLater();
                if (!lines.isEmpty())
                    emit Received(lines);
            });
        }
    });
    return true;
}

} // namespace dialtally
