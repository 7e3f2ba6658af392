// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cardcli.h"

#include "core/app/appdirs.h"
#include "core/app/language.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

CardCliArgs parseCardCliArgs(const QStringList &args, const QStringList &knownFlags)
{
    CardCliArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--language") {
            if (i + 1 >= args.size()) {
                parsed.problem = QStringLiteral("--language needs a name");
                return parsed;
            }
            parsed.language = args.at(++i);
        } else if (arg.startsWith(u"--")) {
            if (!knownFlags.contains(arg)) {
                parsed.problem = QStringLiteral("unknown option ") + arg;
                return parsed;
            }
            parsed.flags.append(arg);
        } else {
            parsed.positional.append(arg);
        }
    }
    return parsed;
}

bool loadCliLanguage(const QString &name, CliIo &io)
{
    const AppDirs dirs = AppDirs::standard(QCoreApplication::applicationDirPath());
    switch (Lang::load(dirs.languageDir(), name)) {
    case Lang::LoadResult::Loaded:
        return true;
    case Lang::LoadResult::FellBack:
        io.err << "lumivox-cli: " << Lang::openErrorMessage(name) << '\n';
        return true;
    case Lang::LoadResult::WrongVersion:
        io.err << "lumivox-cli: " << Lang::wrongVersionMessage() << '\n';
        return false;
    case Lang::LoadResult::OpenError:
        io.err << "lumivox-cli: " << Lang::openErrorMessage(name) << '\n';
        return false;
    }
    return false;
}

CliProgressLine::CliProgressLine(CliIo &io) : m_io(io), m_enabled(isatty(STDERR_FILENO) == 1) {}

void CliProgressLine::finish()
{
    if (m_drawn) {
        m_io.err << "\r\033[K";
        m_io.err.flush();
        m_drawn = false;
    }
}

CardProgress CliProgressLine::progress()
{
    CardProgress progress;
    if (!m_enabled)
        return progress;
    progress.onDirectory = [this](const QString &name) { m_directory = name; };
    progress.onFile = [this](const QString &name, int, int) { draw(name); };
    progress.onCounter = [this](int done) { m_done = done; };
    return progress;
}

void CliProgressLine::draw(const QString &file)
{
    // A terminal redrawn for every small file would slow the copy down.
    if (m_drawn && m_sinceDrawn.elapsed() < 100)
        return;
    m_sinceDrawn.start();
    QString line = QString::number(m_done) + u' ' + (m_directory.isEmpty() ? file : m_directory + u'/' + file);
    if (line.size() > 76)
        line = line.left(73) + u"...";
    m_io.err << "\r\033[K" << line;
    m_io.err.flush();
    m_drawn = true;
}

bool reportFindings(CliIo &io, const CardFindings &findings)
{
    for (const CardFinding &finding : findings)
        io.err << "lumivox-cli: " << finding.message() << '\n';
    return !findings.isEmpty();
}
