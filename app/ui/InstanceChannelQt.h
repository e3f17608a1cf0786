#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace dialtally {

// Lets a second start of the program hand its report files to the window
// already running, one path a line. The channel is private to the user.
class InstanceChannelQt : public QObject {
    Q_OBJECT
public:
    // One channel per user and program folder.
    explicit InstanceChannelQt(const QString& programFolder, QObject* parent = nullptr);

    // True when a running window took the lines.
    bool HandOver(const QStringList& lines) const;
    // Starts serving; false when the channel cannot be opened.
    bool Listen();

signals:
    void Received(const QStringList& lines);

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace dialtally
