// Starting the toolkit. Without a display Qt reports a fatal error and aborts with a core dump;
// a player deserves one line saying what is missing instead.
#include "Startup.h"

#include "Main.h"
#include "Termination.h"

#include <QApplication>
#include <QByteArray>
#include <QFileInfo>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
struct HeldMessage {
    QtMsgType type;
    QString text;
};

QList<HeldMessage>* heldMessages = nullptr;
QtMessageHandler previousHandler = nullptr;

// While the toolkit starts, its complaints are held back: if it fails, only our line is shown.
void holdStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages->append({type, text});
        return;
    }
    std::fputs("tastenrenner: no window system to show the game on; "
               "set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland) to a running desktop session\n",
               stderr);
    std::_Exit(2);
}

// The toolkit's accessibility bridge asks the desktop's session bus for the screen reader's bus.
// Where the session has no bus, libdbus would autolaunch a bus daemon of its own for it, which
// outlives the game; an address that cannot be reached lets the bridge give up quietly instead.
// A desktop that has a bus (by address or at its usual place in the runtime folder) keeps it.
void keepTheToolkitFromLaunchingABus()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(QString::fromLocal8Bit(runtime + "/bus")))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// When the X server goes away the toolkit says so in one line and calls exit(); the exit handlers then touch the
// dead connection again through Xlib, which now and then prints a second line of its own. The toolkit's line is
// all there is to say, so the game ends right after it, with the toolkit's status.
void endOnLostConnection(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    previousHandler(type, context, text);
    if (type == QtWarningMsg && text.startsWith(QLatin1String("The X11 connection broke"))) {
        std::fflush(stderr);
        std::_Exit(1);
    }
}

int programArgc = 1;
char* programArgv[] = {nullptr, nullptr};

// Exits the process with status 2, after one line on standard error, if no display can be reached.
std::unique_ptr<QApplication> startApplication(const char* programName)
{
    // The game takes no command line; the toolkit gets only the program's name.
    programArgv[0] = const_cast<char*>(programName);
    keepTheToolkitFromLaunchingABus();
    QList<HeldMessage> held;
    heldMessages = &held;
    previousHandler = qInstallMessageHandler(holdStartupMessage);
    auto application = std::make_unique<QApplication>(programArgc, programArgv);
    // Ties the window to its menu entry and icon, on Wayland above all.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tastenrenner.Tastenrenner"));
    qInstallMessageHandler(endOnLostConnection);
    heldMessages = nullptr;
    for (const HeldMessage& message : held)
        qt_message_output(message.type, QMessageLogContext(), message.text);
    return application;
}
}

int playGame(const char* programName, const std::function<void(Main&)>& adjust)
{
    holdTerminationSignals();
    const auto application = startApplication(programName);
    quitOnTerminationSignals();
    Main window;
    if (adjust)
        adjust(window);
    window.show();
    const int status = application->exec();
    // The window and the toolkit are taken down on the way out, under the bound.
    boundTheTeardown(status);
    return status;
}
