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

bool openWithShell(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
