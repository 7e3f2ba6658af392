// SPDX-License-Identifier: GPL-3.0-or-later
// Developer preview of the main windows in the light or a dark palette, as PNG files:
//   lumivox-theme-preview OUTDIR [--dark]
// writes editor.png (a song of the demo card open), playlist.png, songmap.png, timing.png and
// fonteditor.png. The demo card is copied to a temporary folder first; nothing else is written.
// Run with QT_SCALE_FACTOR=2 for the pictures of a screen of twice the density (each PNG is then
// twice as large). Without a display, run it with QT_QPA_PLATFORM=offscreen or under xvfb-run.
#include "core/app/appcore.h"
#include "core/app/appdirs.h"
#include "core/app/language.h"
#include "core/card/driveprovider.h"
#include "core/library/librarynaming.h"
#include "core/library/librarynumbertable.h"
#include "gui/editor/songeditorpage.h"
#include "gui/editor/songnumberdialog.h"
#include "gui/font/fonteditor.h"
#include "gui/main/accessiblefactory.h"
#include "gui/main/mainwindow.h"
#include "gui/music/musictimingdialog.h"
#include "gui/music/streamingmusicplayer.h"
#include "gui/library/librarypanel.h"
#include "gui/playlist/playlistpage.h"
#include "gui/widgets/themecolours.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QSettings>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool copyFolder(const QString &from, const QString &to)
{
    bool ok = QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(path);
        ok &= it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(path, target);
    }
    return ok;
}

bool save(QWidget &widget, const QString &path)
{
    widget.show();
    QApplication::processEvents();
    return widget.grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication::setOrganizationName(QStringLiteral("Vorex"));
    QApplication::setApplicationName(QStringLiteral("Lumivox preview"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[2] != u"--dark")) {
        QTextStream(stderr) << "usage: lumivox-theme-preview OUTDIR [--dark]\n";
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (args.size() == 3)
        QApplication::setPalette(ThemeColours::darkPalette());
    installAccessibleFactory();

    QTemporaryDir work;
    AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    dirs.dataDir = work.filePath(QStringLiteral("data/"));
    dirs.workDir = work.filePath(QStringLiteral("work/"));
    QSettings store(work.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    AppCore core(&store, dirs);
    core.loadPersistentState();
    if (Lang::load(dirs.languageDir(), QStringLiteral("Polski")) != Lang::LoadResult::Loaded) {
        QTextStream(stderr) << "cannot load the language files of " << dirs.resourceDir << '\n';
        return 2;
    }
    core.loadBoardFonts();
    const QString card = work.filePath(QStringLiteral("card/"));
    if (!copyFolder(dirs.resourceDir + u"demo-card", card)) {
        QTextStream(stderr) << "cannot copy the demo card\n";
        return 2;
    }
    const QDir out(args[1]);
    QDir().mkpath(out.path());
    bool ok = true;

    auto drives = std::make_shared<FolderCardProvider>();
    drives->addFolder(card);
    MainWindow window;
    window.compose(drives);
    window.libraryPanel()->initialUpdate();
    window.resize(1200, 760);
    SongEditorPage *editor = window.editorPage();
    ok &= editor->openSong(card + u"Kolędy/0011 Wśród nocnej ciszy.txt");
    window.pages()->setCurrentWidget(editor);
    ok &= save(window, out.filePath(QStringLiteral("editor.png")));
    window.playlistPage()->openPlaylist(card + u"playlist_dir/0001 Boże Narodzenie.lst");
    window.pages()->setCurrentWidget(window.playlistPage());
    ok &= save(window, out.filePath(QStringLiteral("playlist.png")));

    LibraryNumberTable songs(LibraryNaming::kSongTableSize);
    for (int n = 1; n < 300; n += 3)
        songs.claim(n, QStringLiteral("%1 Kolęda").arg(n, 4, 10, QLatin1Char('0')), 0, 0);
    songs.claim(4, QStringLiteral("0004 Druga"), 1, 0);
    {
        SongNumberDialog dialog(12, songs);
        ok &= save(dialog, out.filePath(QStringLiteral("songmap.png")));
    }
    {
        MusicBackendOptions options;
        options.silent = true;
        const std::unique_ptr<MusicPlayer> player = createMusicPlayer(options);
        Song song = editor->song();
        MusicTimingDialog dialog(song, *player, core.settings());
        ok &= save(dialog, out.filePath(QStringLiteral("timing.png")));
    }
    {
        FontEditor fonts(core);
        ok &= save(fonts, out.filePath(QStringLiteral("fonteditor.png")));
    }
    return ok ? 0 : 1;
}
