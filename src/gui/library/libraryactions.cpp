// SPDX-License-Identifier: GPL-3.0-or-later
// The library panel's commands on the tree and its files.
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/library/libraryfiles.h"
#include "core/library/librarysearch.h"
#include "core/model/itemname.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/card/drivecombo.h"
#include "gui/library/playlistnamedialog.h"
#include "gui/library/newgroupdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/searchdialog.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/librarytree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using LibraryNaming::ItemKind;

namespace {

ItemKind itemKindOf(LibraryNodeKind kind)
{
    switch (kind) {
    case LibraryNodeKind::Slide:
        return ItemKind::Slide;
    case LibraryNodeKind::Playlist:
        return ItemKind::Playlist;
    default:
        return ItemKind::Song;
    }
}

} // namespace

void LibraryPanel::newGroup()
{
    if (m_root.isEmpty())
        return;
    // The name is checked against the card's own groups, where the directory is made: a name
    // only the card holds would otherwise pass the check and then fail to be created.
    NewGroupDialog dialog(LibraryNaming::songDirectory(m_root), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (LibraryFiles::createGroup(m_root, dialog.name()))
        refreshLibrary(false);
    else
        errorBox(this, Lang::text(Txt::GroupCreateFailed));
}

void LibraryPanel::deleteGroup()
{
    if (m_root.isEmpty())
        return;
    QTreeWidgetItem *item = currentItem();
    if (LibraryTree::kindOf(item) != LibraryNodeKind::Group)
        return;
    const QString name = item->text(0);
    // A plain directory removal: a group that still holds files (even ones the tree does not
    // show) is refused, never emptied.
    if (!LibraryFiles::removeGroup(m_root, name)) {
        errorBox(this, Lang::text(Txt::GroupNotEmpty));
        return;
    }
    m_library.groups().removeIf([&name](const SongGroupFiles &group) { return group.name == name; });
    m_search.current = nullptr;
    m_tree->removeItem(item);
    updateStatus();
}

void LibraryPanel::deleteSelected()
{
    // Without a card every path would be relative to the working directory.
    if (m_root.isEmpty())
        return;
    if (questionBox(this, Lang::text(Txt::DeleteFilesQuestion)) != QMessageBox::Yes)
        return;
    const QList<QTreeWidgetItem *> marked = m_tree->markedItems();
    for (QTreeWidgetItem *item : marked) {
        const LibraryNodeKind kind = LibraryTree::kindOf(item);
        if (!isFileNode(kind))
            continue;
        const LibraryItemInfo info = m_tree->itemInfo(item, m_root);
        if (!QFile::remove(info.fullPath)) {
            errorBox(this, Lang::text(Txt::DeleteFileFailed) + u' ' + info.fileName);
            continue;
        }
        m_library.forgetFile(itemKindOf(kind), info.group, item->text(0));
        if (m_search.current == item)
            m_search.current = nullptr;
        m_tree->removeItem(item);
    }
    updateStatus();
}

void LibraryPanel::renamePlaylist()
{
    if (m_root.isEmpty())
        return;
    QTreeWidgetItem *item = currentItem();
    if (LibraryTree::kindOf(item) != LibraryNodeKind::Playlist)
        return;
    const LibraryItemInfo info = m_tree->itemInfo(item, m_root);
    PlaylistNameDialog dialog(ItemName::titleOfFileName(info.fileName), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LibraryFiles::renamePlaylist(LibraryNaming::playlistDirectory(m_root), info.fileName, dialog.title());
    refreshLibrary(true);
}

void LibraryPanel::expandCurrent()
{
    QTreeWidgetItem *item = currentItem();
    if (item && item->childCount() > 0) {
        item->setExpanded(true);
        m_tree->scrollToItem(item);
    }
}

void LibraryPanel::expandAll()
{
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    for (QTreeWidgetItem *item = root; item; item = LibraryTree::nextInOrder(item))
        item->setExpanded(true);
    if (root)
        m_tree->scrollToItem(root);
}

void LibraryPanel::collapseAll()
{
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    for (QTreeWidgetItem *item = root; item; item = LibraryTree::nextInOrder(item))
        item->setExpanded(false);
    if (root)
        m_tree->scrollToItem(root);
}

void LibraryPanel::setSortMode(TitleCollation::SortMode mode)
{
    m_sortMode = mode;
    if (!m_root.isEmpty())
        rebuildTree();
}

void LibraryPanel::openGroupFolder()
{
    const LibraryItemInfo info = selectedItem();
    if (info.kind == LibraryNodeKind::Song || info.kind == LibraryNodeKind::Group)
        openWithShell(LibraryNaming::groupDirectory(m_root, info.group));
}

void LibraryPanel::openCurrentItem()
{
    if (m_root.isEmpty())
        return;
    const LibraryItemInfo info = selectedItem();
    if (!isFileNode(info.kind))
        return;
    if (info.kind != LibraryNodeKind::Playlist && !QFileInfo::exists(info.fullPath)) {
        errorBox(this, Lang::text(Txt::FileMissing) + u' ' + info.fullPath);
        return;
    }
    emit openFileRequested(info);
}

void LibraryPanel::addCurrentToPlaylist()
{
    const LibraryItemInfo info = selectedItem();
    if (info.kind == LibraryNodeKind::Song || info.kind == LibraryNodeKind::Slide)
        emit addToPlaylistRequested(info);
}

void LibraryPanel::moveSong(const LibraryItemInfo &dragged, const LibraryItemInfo &target)
{
    if (dragged.kind != LibraryNodeKind::Song || m_root.isEmpty())
        return;
    if (target.kind != LibraryNodeKind::Song && target.kind != LibraryNodeKind::Group)
        return;
    using LibraryFiles::MoveResult;
    MoveResult result = LibraryFiles::moveSong(m_root, dragged.group, dragged.fileName, target.group, false);
    if (result == MoveResult::TargetExists) {
        if (questionBox(this, Lang::text(Txt::MoveReplaceQuestion)) != QMessageBox::Yes)
            return;
        result = LibraryFiles::moveSong(m_root, dragged.group, dragged.fileName, target.group, true);
    }
    if (result == MoveResult::SameFile)
        return;
    if (result == MoveResult::SourceMissing)
        errorBox(this, Lang::text(Txt::FileMissing) + u' '
                           + LibraryNaming::groupDirectory(m_root, dragged.group) + dragged.fileName);
    refreshLibrary(false);
}

void LibraryPanel::showIssueWindow()
{
    m_issueWindow->showIssues(m_library.issues());
}

void LibraryPanel::repairDuplicates(ItemKind kind)
{
    if (m_root.isEmpty())
        return;
    if (LibraryFiles::repairDuplicateNumbers(m_library, kind) > 0) {
        refreshLibrary(false);
        showIssueWindow();
    }
}

void LibraryPanel::initialiseCard()
{
    if (m_root.isEmpty())
        return;
    LibraryFiles::initialiseCard(m_root);
    refreshLibrary(false);
}

void LibraryPanel::openFolderAsCard()
{
    AppCore *core = AppCore::instance();
    const QString start = core ? core->settings().lastDir() : QString();
    const QString folder = chooseFolder(this, start, Lang::text(Txt::OpenFolderAsCardCaption));
    if (folder.isEmpty())
        return;
    if (!addCardFolder(folder)) {
        errorBox(this, Lang::text(Txt::FolderNotACard) + u' ' + folder);
        return;
    }
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + u'/';
    m_drives->refreshDrives();
    const int index = m_drives->findData(root);
    if (index >= 0)
        m_drives->setCurrentIndex(index);
}

void LibraryPanel::editGroupColours()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    QStringList names;
    for (const SongGroupFiles &group : std::as_const(m_library.groups()))
        names << group.name;
    GroupColoursDialog dialog(core->groups(), names, [core] { return core->saveGroups(); }, this);
    dialog.exec();
}

// --- search ---

void LibraryPanel::setSearch(bool byNumber, const QString &lowerText, int number)
{
    m_search.byNumber = byNumber;
    m_search.text = lowerText;
    m_search.number = number;
    m_search.current = m_tree->topLevelItem(0);
}

void LibraryPanel::openSearch()
{
    if (m_root.isEmpty())
        return;
    SearchDialog dialog(m_search.text, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.byNumber())
        setSearch(true, m_search.text, dialog.number());
    else
        setSearch(false, dialog.text(), m_search.number);
    findNext();
}

void LibraryPanel::selectFound(QTreeWidgetItem *item)
{
    item->setExpanded(true);
    m_tree->clickItem(item, Qt::NoModifier);
    m_tree->scrollToItem(item);
    m_tree->setFocus();
    m_search.current = item;
}

QTreeWidgetItem *LibraryPanel::findText(QTreeWidgetItem *from, const std::function<bool(QTreeWidgetItem *)> &matches)
{
    // Containers are opened as the walk leaves them, so every item of the tree is reached.
    for (QTreeWidgetItem *item = from; item; item = LibraryTree::nextInOrder(item)) {
        if (matches(item))
            return item;
        if (item->childCount() > 0)
            item->setExpanded(true);
    }
    return nullptr;
}

bool LibraryPanel::findNext()
{
    if (!m_search.byNumber) {
        const QString text = m_search.text;
        QTreeWidgetItem *found = findText(m_search.current, [&text](QTreeWidgetItem *item) {
            return LibrarySearch::titleMatches(item->text(0), text);
        });
        if (found) {
            selectFound(found);
            return true;
        }
        infoBox(this, Lang::text(Txt::SearchNotFound));
        m_search.text.clear();
        return false;
    }
    const QList<LibrarySearch::SongRef> songs = LibrarySearch::songsWithNumber(m_library, m_search.number);
    for (const LibrarySearch::SongRef &song : songs) {
        QTreeWidgetItem *found = findText(m_search.current, [&song](QTreeWidgetItem *item) {
            return LibraryTree::kindOf(item) == LibraryNodeKind::Song && item->text(0) == song.name
                   && item->parent() && item->parent()->text(0) == song.group;
        });
        if (found) {
            selectFound(found);
            return true;
        }
    }
    // Said aloud, unlike a silent miss: the user cannot tell a miss from a search that did not run.
    infoBox(this, Lang::text(Txt::SearchNumberNotFound));
    m_search.number = -1;
    return false;
}

void LibraryPanel::continueSearch()
{
    const bool pending = m_search.byNumber ? m_search.number >= 0 : !m_search.text.isEmpty();
    if (!pending || !m_search.current) {
        openSearch();
        return;
    }
    m_search.current->setExpanded(true);
    m_search.current = LibraryTree::nextInOrder(m_search.current);
    findNext();
}
