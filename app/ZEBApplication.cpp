#include "app/ZEBApplication.h"

#include <cstdio>
#include <exception>

#include "platform/ZEBPrompter.h"

namespace zeb {

ZEBApplication::ZEBApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZEBApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        InternalError(failure.what());
    } catch (...) {
        InternalError("an unknown exception");
    }
    return true;
}

int ZEBApplication::Run(const std::function<int()>& program)
{
    try {
        const int code = program();
        return failed_ ? 1 : code;
    } catch (const std::exception& failure) {
        InternalError(failure.what());
    } catch (...) {
        InternalError("an unknown exception");
    }
    return 1;
}

void ZEBApplication::InternalError(const char* what)
{
    std::fprintf(stderr, "%s: internal error: %s\n", qPrintable(applicationName()), what);
    if (failed_)
        return;
    failed_ = true;
    if (prompter_)
        prompter_->Message("Internal error", "", PromptIcon::Error, PromptButtons::Abort);
    emit InternalErrorRaised();
    exit(1);
}

}  // namespace zeb
