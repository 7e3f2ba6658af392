// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-make-demo-card SOURCE OUTDIR: writes the demo card (songs, slides, a playlist) from
// its UTF-8 source (tools/democard/hymns.txt) through the program's own writers, so that the
// committed files carry exactly the bytes the program writes. OUTDIR must not exist yet.
#include "common/toolarguments.h"
#include "core/library/librarynaming.h"
#include "core/model/playlist.h"
#include "core/model/song.h"
#include "core/model/songfile.h"
#include "core/model/itemname.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

struct Builder
{
    QString outDir;
    QString group;
    Song song;
    bool open = false;
    QStringList screenLines;
    bool hasScreen = false;
    QString error;
    int lineNumber = 0;
    Playlist playlist;
    QString playlistPath;

    bool fail(const QString &message)
    {
        error = QStringLiteral("line %1: %2").arg(lineNumber).arg(message);
        return false;
    }

    // Lines are centred on the board, and the block of lines in the screen's height.
    bool flushScreen()
    {
        if (!hasScreen)
            return true;
        while (!screenLines.isEmpty() && screenLines.last().isEmpty())
            screenLines.removeLast();
        if (screenLines.size() > kScreenLines)
            return fail(QStringLiteral("screen with more than %1 lines").arg(kScreenLines));
        QString text;
        const int top = (kScreenLines - int(screenLines.size())) / 2;
        for (int row = 0; row < kScreenLines; ++row) {
            const int index = row - top;
            const QString line = index >= 0 && index < screenLines.size() ? screenLines.at(index) : QString();
            const int left = (kLineChars - int(line.size())) / 2;
            const QString padded = QString(left, u' ') + line;
            text += padded.leftJustified(kLineChars, u' ');
        }
        song.addScreenAfterCurrent();
        song.setCurrentScreenText(text);
        screenLines.clear();
        hasScreen = false;
        return true;
    }

    bool finishSong()
    {
        if (!open)
            return true;
        if (!flushScreen())
            return false;
        open = false;
        if (song.kind() == SongKind::Song) {
            if (song.refrainIndex() != 0)
                song.setAlternatingSequence();
            else
                song.setDefaultSequence();
        }
        const bool slide = song.kind() == SongKind::Slide;
        const QString dir = slide ? LibraryNaming::slideDirectory(outDir) : LibraryNaming::joinPath(outDir, group);
        const QString name = ItemName::format(song.number(), song.title())
            + ItemName::extension(slide ? LibraryNaming::ItemKind::Slide : LibraryNaming::ItemKind::Song);
        QString saveError;
        if (!QDir().mkpath(dir) || !SongFile::save(LibraryNaming::joinPath(dir, name), song, &saveError))
            return fail(QStringLiteral("cannot write %1: %2").arg(name, saveError));
        return true;
    }

    bool finishPlaylist()
    {
        if (playlistPath.isEmpty())
            return true;
        QString saveError;
        if (!QDir().mkpath(QFileInfo(playlistPath).absolutePath()) || !playlist.save(playlistPath, &saveError))
            return fail(QStringLiteral("cannot write %1: %2").arg(playlistPath, saveError));
        playlistPath.clear();
        return true;
    }

    bool startItem(const QString &rest, SongKind kind)
    {
        if (!finishSong() || !finishPlaylist())
            return false;
        const qsizetype space = rest.indexOf(u' ');
        bool ok = false;
        const int number = rest.left(space).toInt(&ok);
        if (!ok || space < 0)
            return fail(QStringLiteral("expected a number and a title"));
        song = Song();
        song.setKind(kind);
        song.setCharset(CharsetMode::Latin);
        song.setNumber(number);
        song.setTitle(rest.mid(space + 1));
        open = true;
        return true;
    }

    bool line(const QString &text)
    {
        ++lineNumber;
        if (text.startsWith(u'#'))
            return true;
        if (!playlistPath.isEmpty() && !text.startsWith(u'@')) {
            if (text.isEmpty())
                return true;
            const QStringList fields = text.split(u'\t');
            if (fields.size() != 4)
                return fail(QStringLiteral("a playlist entry has four fields"));
            PlaylistEntry entry;
            entry.type = fields.at(0) == u"EKR" ? PlaylistEntry::Slide : PlaylistEntry::Song;
            entry.title = fields.at(1);
            entry.stanza = quint8(fields.at(2).toInt());
            entry.option = quint8(fields.at(3).toInt());
            playlist.append(entry);
            return true;
        }
        if (text.startsWith(QStringLiteral("@group "))) {
            if (!finishSong())
                return false;
            group = text.mid(7);
            return true;
        }
        if (text.startsWith(QStringLiteral("@song ")))
            return startItem(text.mid(6), SongKind::Song);
        if (text.startsWith(QStringLiteral("@slide ")))
            return startItem(text.mid(7), SongKind::Slide);
        if (text.startsWith(QStringLiteral("@playlist "))) {
            if (!finishSong() || !finishPlaylist())
                return false;
            const QString rest = text.mid(10);
            const qsizetype space = rest.indexOf(u' ');
            playlist.clear();
            playlistPath = LibraryNaming::joinPath(LibraryNaming::playlistDirectory(outDir),
                                                   ItemName::format(rest.left(space).toInt(), rest.mid(space + 1))
                                                       + ItemName::extension(LibraryNaming::ItemKind::Playlist));
            return true;
        }
        if (text == u"@stanza" || text == u"@refrain") {
            if (!open || !flushScreen())
                return fail(QStringLiteral("a stanza outside a song"));
            song.appendStanza();
            if (text == u"@refrain")
                song.setRefrainIndex(song.stanzaCount());
            hasScreen = true;
            return true;
        }
        if (text == u"--") {
            if (!flushScreen())
                return false;
            hasScreen = true;
            return true;
        }
        if (!open || !hasScreen) {
            if (text.isEmpty())
                return true;
            return fail(QStringLiteral("text outside a stanza"));
        }
        if (text.size() > kLineChars)
            return fail(QStringLiteral("line longer than %1 characters: %2").arg(kLineChars).arg(text));
        screenLines.append(text);
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const int early = checkToolArguments(args, {}, "usage: lumivox-make-demo-card SOURCE OUTDIR\n");
    if (early >= 0)
        return early;
    if (args.size() != 2) {
        err << "usage: lumivox-make-demo-card SOURCE OUTDIR\n";
        return 2;
    }
    QFile source(args.at(0));
    if (!source.open(QIODevice::ReadOnly)) {
        err << "lumivox-make-demo-card: cannot read " << args.at(0) << '\n';
        return 2;
    }
    if (QFileInfo::exists(args.at(1))) {
        err << "lumivox-make-demo-card: " << args.at(1) << " exists already\n";
        return 2;
    }
    setCurrentCharsetMode(CharsetMode::Latin);
    Builder builder;
    builder.outDir = args.at(1);
    QDir().mkpath(builder.outDir);
    const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (!builder.line(QString(line).remove(u'\r'))) {
            err << "lumivox-make-demo-card: " << builder.error << '\n';
            return 2;
        }
    }
    if (!builder.finishSong() || !builder.finishPlaylist()) {
        err << "lumivox-make-demo-card: " << builder.error << '\n';
        return 2;
    }
    QDir().mkpath(LibraryNaming::slideDirectory(builder.outDir));
    QDir().mkpath(LibraryNaming::playlistDirectory(builder.outDir));
    return 0;
}
