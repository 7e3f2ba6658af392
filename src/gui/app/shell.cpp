// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/shell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

QString chooseFolder(QWidget *parent, const QString &startPath, const QString &caption)
{
    const QString start = QFileInfo(startPath).isDir() ? startPath : QString();
    return QFileDialog::getExistingDirectory(parent, caption, start, QFileDialog::ShowDirsOnly);
}

namespace {
Shell::Opener &opener()
{
    static Shell::Opener instance;
    return instance;
}
} // namespace

void Shell::setOpener(Opener replacement)
{
    opener() = std::move(replacement);
}

bool openWithShell(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    if (opener())
        return opener()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
