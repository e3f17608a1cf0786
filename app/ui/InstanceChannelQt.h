#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace dialtally {

// Lets a second start of the program hand its report files to the window
// already running, one path a line (a line end in a name sent as %0A, a
// "%" as %25). Only the user's own processes take part: the socket lies in
// the user's private runtime folder when there is one, and each side
// checks the other's user id.
class InstanceChannelQt : public QObject {
    Q_OBJECT
public:
    // What one peer may send; a peer that sends more is dropped.
    static constexpr qsizetype MaxLineBytes = 8 * 1024;
    static constexpr qsizetype MaxLines = 256;

    // One channel per user and program folder.
    explicit InstanceChannelQt(const QString& programFolder, QObject* parent = nullptr);

    // The socket's name for a program folder: a path in PrivateFolder, else
    // (none to be had) a bare name, which the toolkit places in the
    // temporary folder.
    static QString ChannelName(const QString& programFolder);
    // $XDG_RUNTIME_DIR when it is a folder of the user's that nobody else
    // may enter, else such a folder in the temporary folder; empty when
    // neither is to be had.
    static QString PrivateFolder();

    // True when a running window of the same user took the lines.
    bool HandOver(const QStringList& lines) const;
    // Starts serving; false when the channel cannot be opened.
    bool Listen();

signals:
    // The lines of the peers that finished since the last delivery. Sent
    // once the current event is handled and never again while a receiver
    // is still busy with the last (a message box it shows runs the event
    // loop): what comes meanwhile is gathered for the next.
    void Received(const QStringList& lines);

private:
    void Accept(QLocalSocket* socket);
    void Deliver();

    QString m_name;
    QLocalServer* m_server = nullptr;
    QStringList m_pending;
    bool m_deliveryQueued = false;
    bool m_delivering = false;
};

} // namespace dialtally
