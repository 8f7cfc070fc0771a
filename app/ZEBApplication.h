#pragma once

#include <functional>

#include <QApplication>

namespace zeb {

class ZEBPrompter;

// The application object: an error that reaches it unhandled shows "Internal error" and ends
// the program.
class ZEBApplication : public QApplication {
public:
    ZEBApplication(int& argc, char** argv);

    // Run before the program ends after an internal error (the main loop is stopped there).
    void SetOnInternalError(std::function<void()> stop) { onInternalError_ = std::move(stop); }
    void SetPrompter(ZEBPrompter* prompter) { prompter_ = prompter; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void InternalError();

    std::function<void()> onInternalError_;
    ZEBPrompter* prompter_ = nullptr;
    bool failed_ = false;
};

}  // namespace zeb
