#include "app/ui/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace dialtally {

namespace {

constexpr std::array<int, 3> Watched = {SIGTERM, SIGHUP, SIGINT};

// The handler may only write to a pipe; the event loop reads the other end.
int g_pipe[2] = {-1, -1};

void Note(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return; // the default actions stay
    }
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::Take);
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Watched) {
        // An ignored signal stays ignored: nohup, or a shell's background job.
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : Watched) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) == 0 && now.sa_handler == Note)
            std::signal(signal, SIG_DFL);
    }
    for (int& fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

bool TerminationSignals::Received() const
{
    if (m_received)
        return true;
    pollfd waiting{g_pipe[0], POLLIN, 0};
    return g_pipe[0] >= 0 && ::poll(&waiting, 1, 0) == 1;
}

void TerminationSignals::Take()
{
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    // Once is enough: a second signal while the first is handled changes
    // nothing.
    if (std::exchange(m_received, true))
        return;
    emit Arrived();
}

} // namespace dialtally
