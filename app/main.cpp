// The reader: start-up order, then the message loop, inside which the main window runs its own.
#include <memory>

#include "app/TAA_Main.h"
#include "app/AutoScroll.h"
#include "app/TAA_Splash.h"
#include "app/ZEBApplication.h"
#include "import/ZEBCodepage.h"
#include "library/ui/TAA_Password.h"
#include "platform/ProgramPaths.h"
#include "platform/ui/QtPrompter.h"

int main(int argc, char* argv[])
{
    zeb::ZEBApplication app(argc, argv);
    zeb::ZEBApplication::setApplicationName(QStringLiteral("ZEB Book Reader"));
    // The splash follows the code page scan while the main window is created, and goes once
    // every window exists.
    auto splash = std::make_unique<zeb::TAA_Splash>();
    splash->ShowAtOnce();
    zeb::QtPrompter prompter;
    zeb::TAA_Password password;
    prompter.SetPasswordDialog([&password](const std::string& archive, const std::string& member) {
        return password.Ask(archive, member);
    });
    app.SetPrompter(&prompter);
    zeb::TAA_Main window(zeb::RunningProgramPaths(), prompter, [&splash](int32_t codePage) {
        splash->SetProgress(zeb::ZEBCodepage::ProbeGauge(codePage, splash->StripWidth()));
    });
    prompter.SetParent(&window);
    // "zebreader BOOK" opens that book, as a file manager's "Open with" asks.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.SetStartBook(arguments.at(1).toStdString());
    app.SetOnInternalError([&window] { window.AutoScroller().StopLoop(); });
    splash.reset();
    window.show();
    return app.exec();
}
