// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/guidehelp.h"

#include "core/app/appcore.h"
#include "core/app/guidepages.h"
#include "core/app/language.h"
#include "core/model/languages.h"
#include "gui/app/helpwindow.h"
#include "gui/app/messageboxes.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>

namespace {

// Window classes and the guide page about each.
const struct
{
    const char *className;
    const char16_t *page;
} kPages[] = {
    {"SettingsDialog", u"first-start"},
    {"GroupColoursDialog", u"cards-library"},
    {"GroupEditDialog", u"cards-library"},
    {"NewGroupDialog", u"cards-library"},
    {"TargetGroupDialog", u"cards-library"},
    {"NumberMapDialog", u"cards-library"},
    {"WaitDialog", u"cards-library"},
    {"CharacterPalette", u"song-editor"},
    {"TextImportDialog", u"song-editor"},
    {"SongStructureDialog", u"refrain-order"},
    {"InsertSongDialog", u"playlists"},
    {"PlaylistNameDialog", u"playlists"},
    {"SearchDialog", u"search"},
    {"CardWizard", u"card-writing"},
    {"AppendedFilesDialog", u"card-writing"},
    {"CardLabelDialog", u"card-writing"},
    {"FormatWaitDialog", u"card-writing"},
    {"ImportSongsDialog", u"import"},
    {"LyricImportReport", u"import"},
    {"LyricImportOptions", u"import"},
    {"ReportDialog", u"printing"},
    {"SongbookDialog", u"import"},
    {"FontEditor", u"fonts"},
    {"FontNameDialog", u"fonts"},
    {"MusicTimingDialog", u"music-timing"},
    {"IssueWindow", u"troubleshooting"},
};

QString guideFolderBesideProgram()
{
    if (const AppCore *core = AppCore::instance())
        return Guide::folder(core->dirs().resourceDir);
    return Guide::folder(AppDirs::standard(QCoreApplication::applicationDirPath()).resourceDir);
}

// The guide's folders are named by the languages' ISO codes; a language without a guide folder
// reads the English one.
QString languageFolder()
{
    const QString folder = Languages::isoCodeOf(Lang::loadedName());
    return folder.isEmpty() ? QString::fromUtf16(Guide::kFallbackFolder) : folder;
}

} // namespace

QString GuideHelp::pageFor(const QWidget *window)
{
    for (const QMetaObject *meta = window ? window->metaObject() : nullptr; meta; meta = meta->superClass()) {
        for (const auto &entry : kPages) {
            if (qstrcmp(meta->className(), entry.className) == 0)
                return QString::fromUtf16(entry.page);
        }
    }
    return QString::fromUtf16(Guide::kContents);
}

QStringList GuideHelp::windowPages()
{
    QStringList pages;
    for (const auto &entry : kPages)
        pages << QString::fromUtf16(entry.page);
    pages.removeDuplicates();
    return pages;
}

HelpWindow *GuideHelp::open(QWidget *from, const QString &page, const QString &guideFolder)
{
    const QString folder = guideFolder.isEmpty() ? guideFolderBesideProgram() : guideFolder;
    const GuidePage found = Guide::find(folder, languageFolder(), page);
    if (found.path.isEmpty()) {
        errorBox(from, Lang::text(Txt::GuideMissing).arg(found.lookedAt));
        return nullptr;
    }
    if (!QFileInfo(found.path).isReadable()) {
        errorBox(from, Lang::text(Txt::GuideUnreadable).arg(found.path));
        return nullptr;
    }
    // A modal dialog blocks every other window: the help window opened from one is its child, so
    // that it can be read and scrolled while the dialog stays open.
    QWidget *owner = from ? from->window() : nullptr;
    HelpWindow *window = owner ? owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window)
        window = new HelpWindow(owner);
    window->showPage(found.path);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool GuideHelp::F1Filter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    QWidget *window = static_cast<QWidget *>(watched)->window();
    if (qobject_cast<QMainWindow *>(window) || qobject_cast<HelpWindow *>(window))
        return false;
    open(window, pageFor(window));
    return true;
}
