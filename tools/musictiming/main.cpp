// SPDX-License-Identifier: GPL-3.0-or-later
// Manual check of the music timing dialog outside the song editor:
//   lumivox-music-timing SONG.txt
// opens the dialog on the song with the user's real settings (music folder "LastMusicDir", the
// music map) and the sound device; on OK saves the song and prints each screen's time. Run it
// with a scratch HOME to keep the real settings out of it.
#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/music/musictiming.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication::setOrganizationName(QStringLiteral("Vorex"));
    QApplication::setApplicationName(QStringLiteral("Lumivox"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lumivox-music-timing SONG.txt\n");
        return 2;
    }
    QSettings store;
    AppCore core(&store, AppDirs::standard(QCoreApplication::applicationDirPath()));
    core.loadPersistentState();
    if (Lang::load(core.dirs().languageDir(), core.settings().lastLanguage()) == Lang::LoadResult::OpenError) {
        std::fprintf(stderr, "lumivox-music-timing: no language file in %s\n", qPrintable(core.dirs().languageDir()));
        return 2;
    }

    Song song;
    QString error;
    if (!SongFile::load(args.at(1), song, nullptr, {}, &error)) {
        std::fprintf(stderr, "lumivox-music-timing: cannot read %s %s\n", qPrintable(args.at(1)), qPrintable(error));
        return 2;
    }
    std::printf("music folder: %s\nmusic file: %s\n", qPrintable(core.settings().lastMusicDir()),
                qPrintable(core.settings().musicFor(song.title())));
    if (!openMusicTiming(nullptr, song)) {
        std::printf("unchanged\n");
        return 0;
    }
    if (!SongFile::save(song.path(), song, &error)) {
        std::fprintf(stderr, "lumivox-music-timing: cannot save %s: %s\n", qPrintable(song.path()), qPrintable(error));
        return 1;
    }
    std::printf("saved %s, music file: %s\n", qPrintable(song.path()),
                qPrintable(core.settings().musicFor(song.title())));
    const QList<SongPosition> positions = song.performancePositions();
    for (int i = 0; i < positions.size(); ++i) {
        const SongPosition at = positions.at(i);
        std::printf("screen %2d  stanza %2d screen %d  %5.1f s\n", i, at.stanza + 1, at.screen + 1,
                    song.screenTime(at.stanza, at.screen) / 10.0);
    }
    return 0;
}
