#pragma once

#include <QObject>

class QSocketNotifier;

namespace zeb {

// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal, a closed terminal)
// as a Qt signal on the window thread, so that the program can close the orderly way instead
// of being killed with its state unsaved. One object at a time; the default handlers come back
// when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void Requested(int signal);

private:
    void Read();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace zeb
