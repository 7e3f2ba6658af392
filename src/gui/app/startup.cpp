// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/startup.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/singleinstance.h"
#include "core/app/startoptions.h"
#include "core/app/version.h"
#include "core/card/mounteddriveprovider.h"
#include "core/model/charsetmode.h"
#include "gui/app/messageboxes.h"
#include "gui/app/qttranslation.h"
#include "gui/app/uifont.h"
#include "gui/card/udisks2driveprovider.h"
#include "gui/library/librarypanel.h"
#include "gui/main/mainwindow.h"
#include "gui/main/projectactions.h"
#include "gui/main/splashscreen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QSettings>
#include <QTextStream>

#include <cstdio>

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

} // namespace

int runLumivox(int argc, char **argv)
{
    QApplication::setOrganizationName(QStringLiteral("Vorex"));
    QApplication::setApplicationName(QStringLiteral("Lumivox"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVOX_VERSION_NUMBER));
    QApplication app(argc, argv);

    const StartOptions options = StartOptions::parse(app.arguments().mid(1));
    if (options.help || options.version || !options.error.isEmpty()) {
        QTextStream out(options.error.isEmpty() ? stdout : stderr);
        if (!options.error.isEmpty())
            out << "lumivox: " << options.error << '\n';
        if (options.version)
            out << "Lumivox " << QStringLiteral(LUMIVOX_VERSION_TEXT) << '\n';
        else
            out << StartOptions::usage();
        return options.error.isEmpty() ? 0 : 2;
    }

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
        infoBox(nullptr, Lang::text(Txt::AlreadyRunning));
        return 1;
    }

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
    auto *panel = new LibraryPanel(&frame, removable);
    frame.setLibraryPanel(panel);
    new ProjectActions(&frame, panel);
    uiFont();
    frame.showMaximized();
    return app.exec();
}
