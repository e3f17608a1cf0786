#pragma once

#include <QObject>

namespace dialtally {

// Turns SIGTERM (the session ending, a shutdown), SIGHUP (the terminal
// closed) and SIGINT (Ctrl+C) into a Qt signal, delivered by the event
// loop, so that the program can keep its settings before it ends instead of
// being killed outright. A signal the program was started ignoring stays
// ignored. One instance at a time; it restores the default actions when
// destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Whether a signal came, also one still waiting for the event loop.
    bool Received() const;

signals:
    void Arrived();

private:
    void Take();

    bool m_received = false;
};

} // namespace dialtally
