#pragma once

#include <QApplication>

namespace zeb {

class ZEBPrompter;

// The application object: an error that reaches it unhandled shows "Internal error" and ends
// the program.
class ZEBApplication : public QApplication {
    Q_OBJECT

public:
    ZEBApplication(int& argc, char** argv);

    void SetPrompter(ZEBPrompter* prompter) { prompter_ = prompter; }

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    // Emitted before the program ends after an internal error (the main loop is stopped there).
    void InternalErrorRaised();

private:
    void InternalError();

    ZEBPrompter* prompter_ = nullptr;
    bool failed_ = false;
};

}  // namespace zeb
