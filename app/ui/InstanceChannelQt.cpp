#include "app/ui/InstanceChannelQt.h"

#include "platform/ApplicationId.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace dialtally {

namespace {

constexpr int ConnectTimeoutMs = 1000;

// True when the process at the other end of a local socket runs as this
// user: a socket someone else created in a shared folder gets no paths.
bool PeerIsThisUser(qintptr descriptor)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return descriptor >= 0 &&
           ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

// What one peer has sent so far.
struct PeerInput {
    QByteArray Data;
    qsizetype Lines = 0;
    qsizetype LineBytes = 0; // of the line not yet ended
    bool Dropped = false;

    // False once the peer has sent more than a peer may.
    bool Take(const QByteArray& chunk)
    {
        for (const char c : chunk) {
            LineBytes = c == '\n' ? 0 : LineBytes + 1;
            Lines += c == '\n';
            if (Lines > InstanceChannelQt::MaxLines || LineBytes > InstanceChannelQt::MaxLineBytes)
                return false;
        }
        Data += chunk;
        return true;
    }
};

} // namespace

InstanceChannelQt::InstanceChannelQt(const QString& programFolder, QObject* parent)
    : QObject(parent), m_name(ChannelName(programFolder))
{
}

QString InstanceChannelQt::ChannelName(const QString& programFolder)
{
    // One folder reached through a link is still the one folder.
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    const QString named = canonical.isEmpty() ? programFolder : canonical;
    const QByteArray folder =
        QCryptographicHash::hash(named.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    const QString name = QStringLiteral("%1-%2-%3")
                             .arg(QLatin1String(ApplicationId))
                             .arg(::getuid())
                             .arg(QString::fromLatin1(folder));
    const QString privateFolder = PrivateFolder();
    const QString path = privateFolder + QLatin1Char('/') + name;
    // A socket path longer than sockaddr_un holds cannot be used.
    if (!privateFolder.isEmpty() &&
        static_cast<std::size_t>(path.toLocal8Bit().size()) < sizeof(sockaddr_un::sun_path))
        return path;
    return name;
}

QString InstanceChannelQt::PrivateFolder()
{
    const auto isPrivate = [](const QString& folder) {
        struct stat status {};
        return folder.startsWith(QLatin1Char('/')) &&
               ::lstat(folder.toLocal8Bit().constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
               status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
    };
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivate(runtime))
        return runtime;
    // In the shared temporary folder anyone could take the socket's name
    // first and so keep the window from listening; a folder of the user's
    // own, which nobody else can enter, leaves them nothing to take.
    const QString own = QDir::tempPath() +
                        QStringLiteral("/%1-%2").arg(QLatin1String(ApplicationId)).arg(::geteuid());
    ::mkdir(own.toLocal8Bit().constData(), 0700);
    return isPrivate(own) ? own : QString();
}

bool InstanceChannelQt::HandOver(const QStringList& lines) const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    if (!PeerIsThisUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    // A line end in a file's name would split it into two paths, of which
    // the second is taken from the window's folder: it travels as %0A.
    QByteArray sent;
    for (const QString& line : lines)
        sent += line.toUtf8().replace('%', "%25").replace('\n', "%0A") + '\n';
    socket.write(sent);
    socket.flush();
    const bool written = socket.waitForBytesWritten(ConnectTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(ConnectTimeoutMs);
    return written;
}

bool InstanceChannelQt::Listen()
{
    // A window already listening keeps its channel: taken over (listening
    // puts a new socket in place of the old), it would be gone with this
    // window, and the first be reached no more.
    QLocalSocket running;
    running.connectToServer(m_name);
    if (running.waitForConnected(ConnectTimeoutMs)) {
        running.abort();
        return false;
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A window that crashed leaves its socket behind.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection())
            Accept(socket);
    });
    return true;
}

void InstanceChannelQt::Accept(QLocalSocket* socket)
{
    if (!PeerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // Read in bounded pieces as data comes, so that a peer sending without
    // end costs neither memory nor a frozen window.
    socket->setReadBufferSize(MaxLineBytes);
    auto input = std::make_shared<PeerInput>();
    const auto take = [socket, input] {
        while (!input->Dropped && socket->bytesAvailable() > 0)
            if (!input->Take(socket->read(MaxLineBytes))) {
                input->Dropped = true;
                socket->abort();
            }
    };
    connect(socket, &QLocalSocket::readyRead, socket, take);
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, input, take] {
        take();
        socket->deleteLater();
        if (input->Dropped)
            return;
        QStringList lines;
        for (const QByteArray& line : input->Data.split('\n'))
            if (!line.isEmpty())
                lines << QString::fromUtf8(QByteArray::fromPercentEncoding(line));
        if (lines.isEmpty())
            return;
        m_pending += lines;
        if (!m_deliveryQueued && !m_delivering) {
            m_deliveryQueued = true;
            QTimer::singleShot(0, this, &InstanceChannelQt::Deliver);
        }
    });
}

void InstanceChannelQt::Deliver()
{
    m_deliveryQueued = false;
    if (m_delivering)
        return;
    m_delivering = true;
    while (!m_pending.isEmpty()) {
        const QStringList lines = std::exchange(m_pending, {});
        emit Received(lines);
    }
    m_delivering = false;
}

} // namespace dialtally
