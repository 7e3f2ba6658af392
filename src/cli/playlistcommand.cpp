// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/playlistcommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/library/libraryplaylistresolver.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "core/model/playlist.h"

#include <QFileInfo>

int runPlaylistCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    QString card;
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kPlaylistCommand, QStringLiteral("--language needs a name"));
    if (!cliTakeOption(args, QStringLiteral("--card"), &card) || card.isEmpty())
        return cliUsageError(io, kPlaylistCommand, QStringLiteral("--card CARD is required"));
    if (args.size() != 2 || args.first() != u"show" || args.at(1).startsWith(u"--"))
        return cliUsageError(io, kPlaylistCommand);
    const QString file = args.at(1);
    if (!cliPrepareCard(io, card, language))
        return CliError;

    // The groups and slides are all the entries are resolved against.
    SongLibrary library;
    library.setRoot(QFileInfo(card).absoluteFilePath());
    library.scanLibrary(ScanFlag::Songs | ScanFlag::Slides, {}, ScanOptions::readOnly());
    LibraryPlaylistResolver resolver(library, SongLoadOptions{false});
    Playlist playlist;
    QString error;
    if (!playlist.load(file, currentCharsetMode(), &resolver, nullptr, &error)) {
        io.err << "lumivox-cli: cannot read \"" << file << "\": " << error << '\n';
        return CliError;
    }
    for (qsizetype i = 0; i < playlist.count(); ++i) {
        const PlaylistEntry &e = playlist.entry(i);
        io.out << (i + 1) << '\t' << (e.isSlide() ? "EKR" : "TXT") << '\t' << cliTsvField(e.title) << '\t'
               << e.stanzaPosition() << '\t' << (e.isRefrain() ? 1 : 0) << '\t' << int(e.option) << '\t'
               << (e.found ? 1 : 0) << '\t' << int(e.songNumber) << '\t' << cliTsvField(e.path) << '\n';
    }
    return CliOk;
}
