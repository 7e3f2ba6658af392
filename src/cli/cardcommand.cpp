// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardcommand.h"

#include "cli/cardcli.h"
#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/card/cardcopy.h"
#include "core/library/librarynaming.h"

namespace {

const CliCommand kCard{u"card", kCardUsage, runCardCommand};

bool refused(CliIo &io, CardWriteCheck check, const QString &image, const QString &card)
{
    if (check == CardWriteCheck::Ok)
        return false;
    io.err << "lumivox-cli: " << cardFindingText(cardWriteRefusal(check, image, card));
    if (check == CardWriteCheck::NotACard)
        io.err << " (--force)";
    io.err << '\n';
    return true;
}

void printChanges(CliIo &io, const QList<CardChangeRecord> &changes, bool tsv)
{
    for (const CardChangeRecord &record : changes) {
        if (tsv) {
            io.out << record.kind << '\t' << record.number << '\t' << cliTsvField(record.title) << '\t' << record.change
                   << '\n';
            continue;
        }
        static const Txt::Id kKinds[] = {Txt::CardKindSong, Txt::CardKindPlaylist, Txt::CardKindSlide};
        const Txt::Id kind = kKinds[qBound(0, record.kind, 2)];
        const Txt::Id change = record.change == CardChangeRecord::New ? Txt::CardChangeNew : Txt::CardChangeReplaced;
        io.out << Lang::text(kind) << '\t' << QStringLiteral("%1").arg(record.number, 4, 10, QLatin1Char('0')) << '\t'
               << cliTsvField(record.title) << '\t' << Lang::text(change) << '\n';
    }
}

int runWrite(const QStringList &args, const QStringList &flags, CliIo &io)
{
    const QString image = args.at(1);
    const QString card = args.at(2);
    const bool append = flags.contains(u"--append"_qs);
    const bool tsv = flags.contains(u"--tsv"_qs);
    if (tsv && !append)
        return cliUsageError(io, kCard, QStringLiteral("--tsv goes with --append"));
    const CardWriteCheck check =
        checkCardWrite(image, card, append ? CardWriteKind::Append : CardWriteKind::Write, flags.contains(u"--force"_qs));
    if (refused(io, check, image, card))
        return CliError;

    CliProgressLine line(io);
    CardCopier copier(line.progress());
    if (!append)
        copier.clearTree(card);
    copier.copyTree(image, card, append ? CardCopyMode::AddMissing : CardCopyMode::Overwrite);
    line.finish();
    if (append) {
        printChanges(io, copier.changes(), tsv);
        if (copier.changes().isEmpty() && !tsv)
            io.out << Lang::text(Txt::CardNothingAppended) << '\n';
    }
    return reportFindings(io, copier.failures()) ? CliFindings : CliOk;
}

int runRestore(const QStringList &args, CliIo &io)
{
    const QString card = args.at(1);
    const QString library = args.at(2);
    if (refused(io, checkCardWrite(library, card, CardWriteKind::Restore), library, card))
        return CliError;
    CliProgressLine line(io);
    CardCopier copier(line.progress());
    copier.restoreCard(card, library, LibraryNaming::playlistDirectory(library), LibraryNaming::slideDirectory(library));
    line.finish();
    return reportFindings(io, copier.failures()) ? CliFindings : CliOk;
}

} // namespace

int runCardCommand(const QStringList &arguments, CliIo &io)
{
    QStringList args = arguments;
    const QString action = args.value(0);
    if (action != u"write" && action != u"restore")
        return cliUsageError(io, kCard, action.isEmpty() ? QString() : QStringLiteral("unknown action ") + action);
    QStringList flags;
    const QStringList allowed = action == u"write" ? QStringList{u"--append"_qs, u"--tsv"_qs, u"--force"_qs} : QStringList{};
    if (!cardCliPrepare(args, allowed, 3, kCard, io, &flags))
        return CliError;
    return action == u"write" ? runWrite(args, flags, io) : runRestore(args, io);
}
