// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/searchcommand.h"

#include "cli/clisupport.h"
#include "core/app/language.h"
#include "core/search/lyricindex.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "core/util/textids.h"

#include <QFileInfo>

#include <limits>

int runSearchCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language))
        return cliUsageError(io, kSearchCommand, QStringLiteral("--language needs a name"));
    const bool tsv = cliTakeFlag(args, QStringLiteral("--tsv"));
    if (args.size() != 2 || args.first().startsWith(u"--"))
        return cliUsageError(io, kSearchCommand);
    const QString card = args.first();
    if (!cliPrepareCard(io, card, language))
        return CliError;

    SongLibrary library;
    library.setRoot(QFileInfo(card).absoluteFilePath());
    library.scanLibrary(ScanFlag::Songs, {}, ScanOptions::readOnly(currentCharsetMode()));
    int unreadable = 0;
    const LyricIndex index = LyricIndex::build(LyricIndex::songPaths(library), nullptr, &unreadable);
    if (unreadable > 0)
        io.err << Lang::text(Txt::SearchUnreadableSongs).arg(unreadable) << '\n';

    const LyricSearchResult result = index.search(args.at(1), std::numeric_limits<int>::max());
    for (const LyricHit &hit : result.hits) {
        if (tsv) {
            io.out << hit.number << '\t' << cliTsvField(hit.title) << '\t' << hit.stanza << '\t' << hit.screen << '\t'
                   << hit.line << '\t' << cliTsvField(hit.snippet) << '\n';
        } else {
            io.out << cliShown(hit.name) << ' ' << hit.stanza << '/' << hit.screen << '/' << hit.line;
            if (!hit.snippet.isEmpty())
                io.out << ' ' << hit.snippet;
            io.out << '\n';
        }
    }
    return result.hits.isEmpty() ? CliFindings : CliOk;
}
