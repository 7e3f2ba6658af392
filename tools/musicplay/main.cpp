// SPDX-License-Identifier: GPL-3.0-or-later
// Developer check of the music player on this machine's sound output:
//   lumivox-music-play FILE [SECONDS] [LEFT RIGHT]
// plays FILE from the start for SECONDS (default 5) at the given volumes (1..1000) and prints,
// twice a second, the wall-clock time beside the player's position, and any notice (for
// example that there is no sound output and the timing goes on without sound).
#include "core/app/appdirs.h"
#include "core/app/language.h"
#include "gui/music/streamingmusicplayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: lumivox-music-play FILE [SECONDS] [LEFT RIGHT]\n");
        return 2;
    }
    Lang::load(AppDirs::standard(QCoreApplication::applicationDirPath()).languageDir(), QStringLiteral("Polski"));
    const int seconds = args.size() > 2 ? args.at(2).toInt() : 5;

    auto player = createMusicPlayer();
    player->setNoticeHandler([](const QString &text) { std::printf("notice: %s\n", qPrintable(text)); });
    QString error;
    if (!player->open(args.at(1), &error)) {
        std::printf("refused: %s\n", qPrintable(error));
        return 1;
    }
    if (args.size() > 4)
        player->setVolume(args.at(3).toInt(), args.at(4).toInt());
    std::printf("length %lld ms\n", player->lengthMs());
    QElapsedTimer wall;
    wall.start();
    player->playFrom(0);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        std::printf("wall %6lld ms  position %6lld ms\n", wall.elapsed(), player->positionMs());
        std::fflush(stdout);
        if (wall.elapsed() >= seconds * 1000LL)
            app.quit();
    });
    tick.start(500);
    return app.exec();
}
