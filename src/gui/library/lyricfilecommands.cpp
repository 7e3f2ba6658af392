// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/lyricfilecommands.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/lyricmessages.h"
#include "core/lyrics/lyricexport.h"
#include "core/lyrics/lyricimport.h"
#include "core/model/languages.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "core/app/workspace.h"
#include "gui/library/lyricimportdialogs.h"
#include "gui/widgets/targetgroupdialog.h"
#include "gui/library/waitdialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Failed files named in the export's message; the count says how many there were.
constexpr int kListedFailures = 10;

LyricImport::Board boardOf(const AppSettings &settings)
{
    return {qBound(1, settings.maxX(), kLineChars), qBound(1, settings.maxY(), kScreenLines)};
}

} // namespace

LyricFileCommands::LyricFileCommands(Workspace &workspace, QWidget *parent)
    : QObject(parent), m_workspace(workspace), m_parent(parent)
{}

void LyricFileCommands::importFiles(const QString &offeredGroup)
{
    const QString root = m_workspace.root();
    AppCore *core = AppCore::instance();
    if (root.isEmpty() || !core)
        return;
    AppSettings &settings = core->settings();
    const QStringList files = chooseOpenFiles(m_parent, settings.lastImportDir(), Lang::text(Txt::LyricImportCaption),
                                              Lang::text(Txt::LyricImportFilter));
    if (files.isEmpty())
        return;
    settings.setLastImportDir(QFileInfo(files.constFirst()).absolutePath());
    core->saveSettings();

    QStringList groups;
    for (const SongGroupFiles &group : std::as_const(m_workspace.library().groups()))
        groups << group.name;
    TargetGroupDialog target(groups, offeredGroup, root, m_parent);
    // Into any library that takes songs, the one shown first.
    const QList<LibrarySource> libraries = m_workspace.writableLibraries();
    target.offerLibraries(libraries, std::max(0, LibrarySources::indexOfRoot(libraries, root)));
    const bool chosen = target.exec() == QDialog::Accepted;
    if (target.groupCreated() && target.root() == root)
        m_workspace.refresh(false);
    if (!chosen)
        return;

    LyricImport::Request request;
    request.card = target.root();
    request.group = target.group();
    request.board = boardOf(settings);
    request.lang = Languages::isoCodeOf(settings.lastLanguage());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LyricImport::BatchFacts facts = LyricImport::batchFacts(files);
    QApplication::restoreOverrideCursor();
    if (LyricImportOptions::needed(facts)) {
        LyricImportOptions choice(facts, m_parent);
        if (choice.exec() != QDialog::Accepted)
            return;
        request.songbook = choice.songbook();
        request.encoding = choice.encoding();
        request.language = choice.language();
    }

    QList<LyricImport::FileResult> results;
    LyricMessage error;
    WaitDialog wait(m_parent);
    const bool started = [&] {
        bool ok = false;
        wait.run([&](const Progress &progress) {
            ok = LyricImport::importFiles(files, request, results, progress, {}, &error);
            return ok;
        });
        return ok;
    }();
    if (!started) {
        errorBox(m_parent, lyricMessageText(error));
        m_workspace.refresh(false);
        return;
    }
    QStringList imported;
    for (const LyricImport::FileResult &result : std::as_const(results)) {
        if (result.outcome == LyricImport::Outcome::Imported)
            imported << result.target;
    }
    // The tree turns to the library imported into, the new songs selected. Into the library shown,
    // the index learns of each new song as it does of one the editor saved; another is read anew.
    const bool intoShown = request.card == m_workspace.root();
    if (imported.isEmpty())
        m_workspace.refresh(false, {}, false);
    else
        m_workspace.showFiles(request.card, imported, !intoShown);
    if (intoShown) {
        for (const LyricImport::FileResult &result : std::as_const(results)) {
            if (result.outcome == LyricImport::Outcome::Imported)
                m_workspace.songWritten(QString(), result.song);
        }
    }
    LyricImportReport report(results, m_parent);
    report.exec();
}

void LyricFileCommands::exportSongs(const QString &group)
{
    const QString root = m_workspace.root();
    AppCore *core = AppCore::instance();
    if (root.isEmpty() || !core)
        return;
    const QString folder = chooseFolder(m_parent, core->settings().lastDir(), Lang::text(Txt::OpenLyricsExportMenu));
    if (folder.isEmpty())
        return;
    core->settings().setLastDir(folder);
    core->saveSettings();
    // The songbook is the card, as the card's folder name says.
    const QString songbook = QFileInfo(QDir::cleanPath(root)).fileName();
    LyricExport::Result result;
    LyricMessage error;
    bool ok = false;
    WaitDialog wait(m_parent);
    wait.run([&](const Progress &progress) {
        ok = LyricExport::exportSongs(root, group, folder, songbook, LyricExport::programName(), result, progress,
                                      &error);
        return ok;
    });
    if (!ok) {
        errorBox(m_parent, lyricMessageText(error));
        return;
    }
    QString text =
        Lang::text(Txt::OpenLyricsExported).arg(result.written).arg(result.unchanged).arg(result.failed.size());
    for (const QString &failed : result.failed.mid(0, kListedFailures))
        text += u'\n' + QDir::toNativeSeparators(failed);
    if (result.failed.size() > kListedFailures)
        text += QStringLiteral("\n...");
    if (result.failed.isEmpty())
        infoBox(m_parent, text);
    else
        errorBox(m_parent, text);
}
