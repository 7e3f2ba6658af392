// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/shell.h"

#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uiseams.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace {

// "lvp" of "Projekt Lumivox (*.lvp)".
QString filterSuffix(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^ )]+)"));
    return pattern.match(filter).captured(1);
}

// xdg-open runs in the background and is started even when no program takes the file's type,
// so the desktop's association is asked first: such a file is then reported, not ignored.
bool hasAssociatedProgram(const QString &path)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // another opener (a portal, the desktop's own) decides
    QProcess query;
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(path).name()});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

// The folder a chooser opens in: the start path when it is a folder, else the user's documents
// (never the list of drives a dialog shows without a folder).
QString startFolder(const QString &startPath)
{
    if (!startPath.isEmpty() && QFileInfo(startPath).isDir())
        return startPath;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QString chooseFolder(QWidget *parent, const QString &startPath, const QString &caption)
{
    if (const Shell::Chooser &chooser = seamsOf(parent).chooser)
        return chooser(Shell::Choice::Folder, startPath);
    const QString start = startFolder(startPath);
    return QFileDialog::getExistingDirectory(parent, caption, start, QFileDialog::ShowDirsOnly);
}

QString chooseOpenFile(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter)
{
    if (const Shell::Chooser &chooser = seamsOf(parent).chooser)
        return chooser(Shell::Choice::OpenFile, startPath);
    const QString start = startFolder(startPath);
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
}

QStringList chooseOpenFiles(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter)
{
    if (const Shell::Chooser &chooser = seamsOf(parent).chooser)
        return chooser(Shell::Choice::OpenFiles, startPath).split(u'\n', Qt::SkipEmptyParts);
    const QString start = startFolder(startPath);
    return QFileDialog::getOpenFileNames(parent, caption, start, filter);
}

QString chooseSaveFile(QWidget *parent, const QString &startPath, const QString &caption, const QString &filter)
{
    if (const Shell::Chooser &chooser = seamsOf(parent).chooser)
        return chooser(Shell::Choice::SaveFile, startPath);
    QFileDialog dialog(parent, caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(filterSuffix(filter));
    const QFileInfo start(startPath);
    if (start.isDir()) {
        dialog.setDirectory(startPath);
    } else if (!startPath.isEmpty() && start.dir().exists()) {
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    } else {
        // The proposed folder is not made yet: the name is still offered.
        dialog.setDirectory(startFolder(startPath));
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool openWithShell(const QWidget *owner, const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    if (const Shell::Opener &opener = seamsOf(owner).opener)
        return opener(path);
    return hasAssociatedProgram(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void announceWritten(QWidget *owner, const QString &text, const QString &folder, bool leftOut)
{
    if (writtenBox(owner, text, leftOut) == QMessageBox::Open && !openWithShell(owner, folder))
        errorBox(owner, Lang::text(Txt::ShellOpenFailed) + u'\n' + QDir::toNativeSeparators(folder));
}
