// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/accessiblefactory.h"
#include "gui/main/desktopscheme.h"
#include "gui/main/dialogfocus.h"
#include "gui/main/startup.h"

#include "core/app/appcore.h"
#include "core/app/instancemessage.h"
#include "core/app/language.h"
#include "core/app/singleinstance.h"
#include "core/app/startoptions.h"
#include "core/app/version.h"
#include "core/card/mounteddriveprovider.h"
#include "core/model/charsetmode.h"
#include "gui/app/guidehelp.h"
#include "gui/app/instanceclient.h"
#include "gui/app/instanceserver.h"
#include "gui/app/messageboxes.h"
#include "gui/app/qttranslation.h"
#include "gui/app/uifont.h"
#include "gui/app/udisks2driveprovider.h"
#include "gui/library/librarypanel.h"
#include "gui/main/mainwindow.h"
#include "gui/main/openrequests.h"
#include "gui/main/projectactions.h"
#include "gui/main/splashscreen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QFileInfo>
#include <QSettings>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <optional>

namespace {

// Loads the language named in the settings; false when the program must end.
bool loadLanguage(AppCore &core)
{
    const QString name = core.settings().lastLanguage();
    switch (Lang::load(core.dirs().languageDir(), name)) {
    case Lang::LoadResult::Loaded:
        return true;
    case Lang::LoadResult::FellBack:
        core.saveSettings();
        return true;
    case Lang::LoadResult::WrongVersion:
        builtInMessage(QMessageBox::Information, Lang::wrongVersionMessage());
        return false;
    case Lang::LoadResult::OpenError:
        builtInMessage(QMessageBox::Critical, Lang::openErrorMessage(name));
        return false;
    }
    return false;
}

// The theme's icon under the application id, else the drawings built in.
QIcon appIcon()
{
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/lumivox/appicon/%1x%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromUtf16(InstanceMessage::kAppId), builtIn);
}

// For measurements and smoke tests: exits 0 once the window is on screen, the library panel's first
// drive poll has read its card into the tree, and the events queued by then have been handled.
void quitWhenReady(MainWindow *window)
{
    LibraryPanel *panel = window->libraryPanel();
    auto *poll = new QTimer(window);
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, window, [window, panel, poll] {
        if (!window->windowHandle() || !window->windowHandle()->isExposed() || !panel->isSettled())
            return;
        poll->stop();
        QTimer::singleShot(0, window, [] { QCoreApplication::exit(0); });
    });
    poll->start();
}

// Prints the usage, the version or the argument error; the exit code of that answer.
int answerOnTerminal(const StartOptions &options)
{
    QTextStream out(options.error.isEmpty() ? stdout : stderr);
    if (!options.error.isEmpty())
        out << "lumivox: " << options.error << '\n';
    if (options.version)
        out << "Lumivox " << QStringLiteral(LUMIVOX_VERSION_TEXT) << '\n';
    else
        out << StartOptions::usage();
    return options.error.isEmpty() ? 0 : 2;
}

// The arguments read before any window system is touched, when they ask only for an answer on the
// terminal. Qt's own options (-platform, -style, ...) are single-dash words the program does not
// know; with one present, the answer waits until QApplication has taken them out.
std::optional<StartOptions> terminalOnlyOptions(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.size() > 2 && arg.at(0) == u'-' && arg.at(1) != u'-')
            return std::nullopt;
        arguments << arg;
    }
    StartOptions options = StartOptions::parse(arguments);
    if (options.help || options.version || !options.error.isEmpty())
        return options;
    return std::nullopt;
}

} // namespace

int runLumivox(int argc, char **argv)
{
    QApplication::setOrganizationName(QStringLiteral("Vorex"));
    QApplication::setApplicationName(QStringLiteral("Lumivox"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVOX_VERSION_NUMBER));
    // Wayland matches the window to the desktop entry by this id.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(InstanceMessage::kAppId));
    // --help and --version need no display: a terminal without one (a server, a fresh container)
    // gets its answer instead of the window system's abort.
    if (const std::optional<StartOptions> early = terminalOnlyOptions(argc, argv))
        return answerOnTerminal(*early);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(appIcon());
    app.installEventFilter(new GuideHelp::F1Filter(&app));
    app.installEventFilter(new DialogFocusReturn(&app));
    installAccessibleFactory();
    DesktopScheme scheme(QDBusConnection::sessionBus());

    const StartOptions options = StartOptions::parse(app.arguments().mid(1));
    if (options.help || options.version || !options.error.isEmpty())
        return answerOnTerminal(options);

    // Qt fonts are Unicode throughout, so no font character set needs choosing here.
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    QSettings store; // the per-user store of organisation "Vorex", application "Lumivox"
    AppCore core(&store, dirs);
    core.loadPersistentState();

    Lang::setShowTextIds(options.showTextIds);
    if (!loadLanguage(core))
        return 1;
    QtTranslation::install(core.settings().lastLanguage());

    SingleInstance instance;
    if (instance.acquire() == SingleInstance::Result::AnotherInstance) {
        // The running program opens the file (or comes to the front).
        const QString uri = options.projectFile.isEmpty() ? QString() : InstanceMessage::fileUri(options.projectFile);
        if (forwardToRunning(uri, startPlatformData(), QDBusConnection::sessionBus(),
                             InstanceServer::defaultSocketPath()))
            return 0;
        // Nobody answered. Unless a live process still holds the lock, the lock and the socket
        // are leftovers of a program that was killed: this start becomes the running one (its
        // server replaces the socket).
        if (instance.takeOver() == SingleInstance::Result::AnotherInstance) {
            infoBox(nullptr,
                    options.projectFile.isEmpty()
                        ? Lang::text(Txt::AlreadyRunning)
                        : Lang::text(Txt::ForwardNoAnswer).arg(QFileInfo(options.projectFile).absoluteFilePath()));
            return 1;
        }
    }
    // Later starts reach this one from here on; what they ask waits for the window.
    OpenRequests requests;
    InstanceServer server;
    QObject::connect(&server, &InstanceServer::requested, &requests, &OpenRequests::request);
    server.listen(QDBusConnection::sessionBus());

    setCurrentCharsetMode(CharsetMode(core.settings().charset()));
    core.loadBoardFonts();
    core.saveSettings();

    if (!options.noSplash) {
        SplashScreen splash(QStringLiteral(LUMIVOX_VERSION_TEXT));
        splash.exec();
    }

    MainWindow frame;
    core.setCommandLineFile(options.projectFile);
    core.setCardFolders(options.cardFolders);
    // UDisks2 once it has answered; until then, and without a system bus, the kernel's view.
    auto removable = std::make_shared<RemovableDriveProvider>(
        std::make_shared<UDisks2DriveProvider>(QDBusConnection::systemBus()), std::make_shared<MountedDriveProvider>());
    frame.compose(removable);
    requests.attach(&frame, new ProjectActions(&frame));
    uiFont();
    frame.showMaximized();
    frame.activateWindow(); // the keyboard starts in the window, with or without a window manager
    if (options.quitWhenReady)
        quitWhenReady(&frame);
    return app.exec();
}
