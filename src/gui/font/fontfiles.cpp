// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/font/fontfiles.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/font/boardfont.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"

#include <QDir>
#include <QFileInfo>

namespace FontFiles {

bool loadForEditing(QWidget *owner, const QString &path, BoardFont &font)
{
    QString error;
    int glyphs = 0;
    if (FontFile::load(path, font, &error, &glyphs))
        return true;
    const QFileInfo file(path);
    const QString name = fontNameFromFile(path);
    if (!file.exists() && !file.isSymLink())
        errorBox(owner, Lang::text(Txt::FontExportMissing) + u' ' + name);
    else if (glyphs > 0 || (file.isFile() && file.isReadable()))
        errorBox(owner, Lang::text(Txt::FontFileIncomplete).arg(name).arg(glyphs));
    else
        errorBox(owner, Lang::text(Txt::FontFileUnreadable).arg(name, error));
    return false;
}

QString chooseExportFolder(QWidget *owner, AppCore &core)
{
    QString start = core.settings().fontExportDir();
    if (start.isEmpty() || !QFileInfo(start).isDir()) {
        start = core.dirs().outDir();
        // The export makes it all the same; the chooser can then start inside it.
        QDir().mkpath(start);
    }
    const QString folder = chooseFolder(owner, start, Lang::text(Txt::FontExportChooseFolder));
    if (folder.isEmpty())
        return {};
    core.settings().setFontExportDir(folder);
    core.saveSettings();
    return folder;
}

void showChart(QWidget *owner, const QString &path)
{
    if (openWithShell(owner, path))
        return;
    announceWritten(owner, Lang::text(Txt::FontChartNotOpened) + u'\n' + QDir::toNativeSeparators(path),
                    QFileInfo(path).absolutePath());
}

} // namespace FontFiles
