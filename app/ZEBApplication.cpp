#include "app/ZEBApplication.h"

#include "platform/ZEBPrompter.h"

namespace zeb {

ZEBApplication::ZEBApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZEBApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        InternalError();
        return true;
    }
}

void ZEBApplication::InternalError()
{
    if (failed_)
        return;
    failed_ = true;
    if (prompter_)
        prompter_->Message("Internal error", "", PromptIcon::Error, PromptButtons::Abort);
    emit InternalErrorRaised();
    exit(1);
}

}  // namespace zeb
