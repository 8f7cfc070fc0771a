#include "platform/ui/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include <QSocketNotifier>

namespace zeb {

namespace {

constexpr std::array<int, 3> Handled = {SIGTERM, SIGINT, SIGHUP};

// The handler may only write: the signal's number goes through a socket to the window thread.
int pipeEnds[2] = {-1, -1};

void OnSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = write(pipeEnds[0], &number, 1);
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Read);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : Handled)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_)
        return;
    for (int signal : Handled)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::Read()
{
    unsigned char number = 0;
    while (read(pipeEnds[1], &number, 1) == 1)
        emit Requested(number);
}

}  // namespace zeb
