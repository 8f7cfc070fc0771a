// The reader: start-up order, then the message loop, inside which the main window runs its own.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/TAA_Main.h"
#include "app/TAA_Splash.h"
#include "app/ZEBApplication.h"
#include "import/ZEBCodepage.h"
#include "library/ui/TAA_Password.h"
#include "library/LibraryBooks.h"
#include "platform/ProgramPaths.h"
#include "platform/ui/QtPrompter.h"
#include "platform/ui/TerminationSignals.h"

namespace {

void OpenAtStart(zeb::TAA_Main& window, const std::string& file)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(file, error);
    if (zeb::IsBookName(path.filename().string()))
        window.SetStartBook(path.string());
    else
        window.SetStartImport(path.string());
}

// The splash, the main window and the message loop; anything thrown on the way is an internal
// error like one thrown inside the loop.
int Read(zeb::ZEBApplication& app, zeb::QtPrompter& prompter, int argc, char* argv[])
{
    // The splash follows the code page scan while the main window is created, and goes once
    // every window exists.
    auto splash = std::make_unique<zeb::TAA_Splash>();
    splash->ShowAtOnce();
    zeb::TAA_Password password;
    prompter.SetPasswordDialog([&password](const std::string& archive, const std::string& member) {
        return password.Ask(archive, member);
    });
    zeb::TAA_Main window(zeb::RunningProgramPaths(), prompter, [&splash](int32_t codePage) {
        splash->SetProgress(zeb::ZEBCodepage::ProbeGauge(codePage, splash->StripWidth()));
    });
    prompter.SetParent(&window);
    // "zebreader FILE", as a file manager's "Open with" asks: a book opens, a text or an
    // archive is imported and read. The name is taken as the bytes it is.
    if (argc > 1)
        OpenAtStart(window, argv[1]);
    QObject::connect(&app, &zeb::ZEBApplication::InternalErrorRaised, &window,
                     [&window] { window.Reader().StopLoop(); });
    // A logout or a shutdown closes the reader as Escape does; the session manager's request
    // to save comes first on desktops that send one.
    zeb::TerminationSignals termination;
    QObject::connect(&termination, &zeb::TerminationSignals::Requested, &window,
                     [&window] { window.EndSession(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.SaveState(); });
    splash.reset();
    window.show();
    return app.exec();
}

}  // namespace

int main(int argc, char* argv[])
{
    zeb::ZEBApplication app(argc, argv);
    zeb::ZEBApplication::setApplicationName(QStringLiteral("ZEB Book Reader"));
    zeb::QtPrompter prompter;
    app.SetPrompter(&prompter);
    return app.Run([&] { return Read(app, prompter, argc, argv); });
}
