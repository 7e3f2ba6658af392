// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardcli.h"

#include "cli/clisupport.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"

#include <cstdio>
#include <unistd.h>

bool cardCliPrepare(QStringList &args, const QStringList &flags, qsizetype positionals, const CliCommand &command,
                    CliIo &io, QStringList *present)
{
    QString language = QString::fromUtf16(Lang::kFallbackLanguage);
    if (!cliTakeOption(args, QStringLiteral("--language"), &language)) {
        cliUsageError(io, command, QStringLiteral("--language needs a name"));
        return false;
    }
    for (const QString &flag : flags) {
        if (cliTakeFlag(args, flag) && present)
            present->append(flag);
    }
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(u"--")) {
            cliUsageError(io, command, QStringLiteral("unknown option ") + arg);
            return false;
        }
    }
    if (args.size() != positionals) {
        cliUsageError(io, command);
        return false;
    }
    return cliLoadLanguage(io, language);
}

CliProgressLine::CliProgressLine(CliIo &io) : m_io(io), m_enabled(isatty(STDERR_FILENO) == 1) {}

void CliProgressLine::finish()
{
    if (m_drawn) {
        clearLine();
        m_drawn = false;
    }
}

Progress CliProgressLine::progress()
{
    Progress progress;
    if (!m_enabled)
        return progress;
    progress.onDirectory = [this](const QString &name) { m_directory = name; };
    progress.onFile = [this](const QString &name, int, int) { draw(name); };
    progress.onCounter = [this](int done) { m_done = done; };
    return progress;
}

// The terminal's own controls bypass the filtered stream, which would turn them into U+FFFD.
void CliProgressLine::clearLine()
{
    m_io.err.flush();
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

void CliProgressLine::draw(const QString &file)
{
    // A terminal redrawn for every small file would slow the copy down.
    if (m_drawn && m_sinceDrawn.elapsed() < 100)
        return;
    m_sinceDrawn.start();
    QString line = QString::number(m_done) + u' ' + cliShown(m_directory.isEmpty() ? file : m_directory + u'/' + file);
    if (line.size() > 76)
        line = line.left(73) + u"...";
    clearLine();
    m_io.err << line;
    m_io.err.flush();
    m_drawn = true;
}

bool reportFindings(CliIo &io, const CardFindings &findings)
{
    for (const CardFinding &finding : findings)
        io.err << "lumivox-cli: " << cardFindingText({finding.textId, cliShown(finding.name)}) << '\n';
    return !findings.isEmpty();
}

bool reportRefusal(CliIo &io, CardWriteCheck check, const QString &image, const QString &card,
                   const QStringList &entries)
{
    if (check == CardWriteCheck::Ok)
        return false;
    io.err << "lumivox-cli: " << cardFindingText(cardWriteRefusal(check, cliShown(image), cliShown(card)));
    for (const QString &entry : entries)
        io.err << "\n  " << cliShown(entry);
    if (check == CardWriteCheck::NotACard || check == CardWriteCheck::SourceNotACard
        || check == CardWriteCheck::ForeignEntries || check == CardWriteCheck::NotEmpty)
        io.err << (entries.isEmpty() ? " " : "\n") << "(--force)";
    io.err << '\n';
    return true;
}

bool reportJobProblem(CliIo &io, const CardJobResult &result, const QString &image, const QString &card)
{
    if (result.status == CardJobResult::Status::Refused)
        return reportRefusal(io, result.check, image, card, result.entries);
    CardJobResult shown = result;
    shown.error = cliShown(result.error);
    const QString text = cardJobProblemText(shown, image, card);
    if (text.isEmpty())
        return false;
    io.err << "lumivox-cli: " << text << '\n';
    return true;
}

int reportCopyResult(CliIo &io, const CardJobResult &result, const QString &card, bool sayNothingAppended)
{
    const bool failed = reportFindings(io, result.failures);
    if (result.notCopied > 0 && !result.diskFull)
        io.err << "lumivox-cli: " << cardFindingText({Txt::CardFilesNotCopied, QString::number(result.notCopied)})
               << '\n';
    else if (!failed && sayNothingAppended && result.changes.isEmpty())
        io.out << Lang::text(Txt::CardNothingAppended) << '\n';
    if (!result.syncError.isEmpty()) {
        io.err << "lumivox-cli: " << Lang::text(Txt::SyncFailed).arg(card, result.syncError) << '\n';
        return CliError;
    }
    return failed ? CliFindings : CliOk;
}
