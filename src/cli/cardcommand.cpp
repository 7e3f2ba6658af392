// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardcommand.h"

#include "cli/cardcli.h"
#include "core/app/language.h"
#include "core/card/cardcopy.h"

namespace {

const CliCommand kCard{u"card", kCardUsage, runCardCommand};

// TSV fields never hold a tab or a line end.
QString tsvField(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

bool refused(CliIo &io, CardWriteCheck check, const QString &image, const QString &card)
{
    if (check == CardWriteCheck::Ok)
        return false;
    io.err << "lumivox-cli: " << cardWriteRefusal(check, image, card).message();
    if (check == CardWriteCheck::NotACard)
        io.err << " (--force)";
    io.err << '\n';
    return true;
}

void printChanges(CliIo &io, const QList<CardChangeRecord> &changes, bool tsv)
{
    for (const CardChangeRecord &record : changes) {
        if (tsv) {
            io.out << record.kind << '\t' << record.number << '\t' << tsvField(record.title) << '\t' << record.change
                   << '\n';
            continue;
        }
        static const Txt::Id kKinds[] = {Txt::CardKindSong, Txt::CardKindPlaylist, Txt::CardKindSlide};
        const Txt::Id kind = kKinds[qBound(0, record.kind, 2)];
        const Txt::Id change = record.change == CardChangeRecord::New ? Txt::CardChangeNew : Txt::CardChangeReplaced;
        io.out << Lang::text(kind) << '\t' << QStringLiteral("%1").arg(record.number, 4, 10, QLatin1Char('0')) << '\t'
               << tsvField(record.title) << '\t' << Lang::text(change) << '\n';
    }
}

int runWrite(const CardCliArgs &parsed, CliIo &io)
{
    const QString image = parsed.positional.at(1);
    const QString card = parsed.positional.at(2);
    const bool append = parsed.has(QStringLiteral("--append"));
    if (parsed.has(QStringLiteral("--tsv")) && !append)
        return cliUsageError(io, kCard, QStringLiteral("--tsv goes with --append"));
    const CardWriteCheck check =
        checkCardWrite(image, card, append ? CardWriteKind::Append : CardWriteKind::Write, parsed.has(QStringLiteral("--force")));
    if (refused(io, check, image, card))
        return CliError;

    CliProgressLine line(io);
    CardCopier copier(line.progress());
    if (!append)
        copier.clearTree(card);
    copier.copyTree(image, card, append ? CardCopyMode::AddMissing : CardCopyMode::Overwrite);
    line.finish();
    if (append) {
        printChanges(io, copier.changes(), parsed.has(QStringLiteral("--tsv")));
        if (copier.changes().isEmpty() && !parsed.has(QStringLiteral("--tsv")))
            io.out << Lang::text(Txt::CardNothingAppended) << '\n';
    }
    return reportFindings(io, copier.failures()) ? CliFindings : CliOk;
}

int runRestore(const CardCliArgs &parsed, CliIo &io)
{
    const QString card = parsed.positional.at(1);
    const QString library = parsed.positional.at(2);
    if (refused(io, checkCardWrite(library, card, CardWriteKind::Restore), library, card))
        return CliError;
    CliProgressLine line(io);
    CardCopier copier(line.progress());
    copier.restoreCard(card, library, library + u"/playlist_dir", library + u"/screen_dir");
    line.finish();
    return reportFindings(io, copier.failures()) ? CliFindings : CliOk;
}

} // namespace

int runCardCommand(const QStringList &args, CliIo &io)
{
    const CardCliArgs parsed =
        parseCardCliArgs(args, {QStringLiteral("--append"), QStringLiteral("--tsv"), QStringLiteral("--force")});
    if (!parsed.problem.isEmpty() || parsed.positional.size() != 3)
        return cliUsageError(io, kCard, parsed.problem);
    const QString action = parsed.positional.at(0);
    if (action != u"write" && action != u"restore")
        return cliUsageError(io, kCard, QStringLiteral("unknown action ") + action);
    if (action == u"restore" && !parsed.flags.isEmpty())
        return cliUsageError(io, kCard, QStringLiteral("restore takes no options but --language"));
    if (!loadCliLanguage(parsed.language, io))
        return CliError;
    return action == u"write" ? runWrite(parsed, io) : runRestore(parsed, io);
}
