#pragma once

#include <functional>

#include <QApplication>

namespace zeb {

class ZEBPrompter;

// The application object: an error that reaches it unhandled, in the message loop or while the
// program starts, shows "Internal error" and ends the program. Every such error is also written
// to standard error, those that come while the program is already ending too.
class ZEBApplication : public QApplication {
    Q_OBJECT

public:
    ZEBApplication(int& argc, char** argv);

    void SetPrompter(ZEBPrompter* prompter) { prompter_ = prompter; }
    // Runs the program (windows, then the message loop) and gives its exit code; 1 after an
    // internal error.
    int Run(const std::function<int()>& program);

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    // Emitted before the program ends after an internal error (the main loop is stopped there).
    void InternalErrorRaised();

private:
    void InternalError(const char* what);

    ZEBPrompter* prompter_ = nullptr;
    bool failed_ = false;
};

}  // namespace zeb
