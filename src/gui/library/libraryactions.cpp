// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/libraryactions.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/library/libraryfiles.h"
#include "core/library/librarysearch.h"
#include "core/model/itemname.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/card/drivecombo.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/issuewindow.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/library/newgroupdialog.h"
#include "gui/library/playlistnamedialog.h"
#include "gui/library/searchdialog.h"
#include "gui/main/mainwindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMetaMethod>

#include <memory>

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

LibraryActions::LibraryActions(LibraryPanel *panel, MainWindow *frame)
    : QObject(panel), m_panel(panel), m_frame(frame)
{
    LibraryTree *t = tree();
    connect(t, &LibraryTree::newGroupRequested, this, &LibraryActions::newGroup);
    connect(t, &LibraryTree::searchRequested, this, &LibraryActions::openSearch);
    connect(t, &LibraryTree::continueSearchRequested, this, &LibraryActions::continueSearch);
    connect(t, &LibraryTree::addToPlaylistRequested, this, &LibraryActions::addCurrentToPlaylist);
    connect(t, &LibraryTree::songDropped, this, &LibraryActions::moveSong);
    connect(t, &LibraryTree::contextMenuRequested, this, [this](QTreeWidgetItem *item, const QPoint &pos) {
        std::unique_ptr<QMenu> menu(createContextMenu(item));
        if (menu)
            menu->exec(pos);
    });
    connectFrame();
}

void LibraryActions::connectFrame()
{
    if (!m_frame)
        return;
    const auto wire = [this](Command command, auto slot) {
        QAction *action = m_frame->action(command);
        if (!action)
            return;
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(true);
    };
    wire(Command::IssueWindow, &LibraryActions::showIssueWindow);
    wire(Command::FindSong, &LibraryActions::openSearch);
    wire(Command::RefreshFileList, [this] { m_panel->refreshLibrary(true); });
    wire(Command::InitialiseCard, &LibraryActions::initialiseCard);
    wire(Command::OpenFolderAsCard, &LibraryActions::openFolderAsCard);
    wire(Command::GroupColours, &LibraryActions::editGroupColours);
}

void LibraryActions::updateCommandStates()
{
    if (!m_frame)
        return;
    const bool chosen = !root().isEmpty();
    for (Command command : {Command::FindSong, Command::RefreshFileList, Command::InitialiseCard}) {
        if (QAction *action = m_frame->action(command))
            action->setEnabled(chosen);
    }
}

LibraryTree *LibraryActions::tree() const
{
    return m_panel->tree();
}

QString LibraryActions::root() const
{
    return m_panel->root();
}

QTreeWidgetItem *LibraryActions::currentItem() const
{
    return tree()->currentItem();
}

void LibraryActions::newGroup()
{
    if (root().isEmpty())
        return;
    // The name is checked against the card's own groups, where the directory is made: a name
    // only the card holds would otherwise pass the check and then fail to be created.
    NewGroupDialog dialog(LibraryNaming::songDirectory(root()), m_panel);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (LibraryFiles::createGroup(root(), dialog.name()))
        m_panel->refreshLibrary(false);
    else
        errorBox(m_panel, Lang::text(Txt::GroupCreateFailed));
}

void LibraryActions::deleteGroup()
{
    if (root().isEmpty())
        return;
    QTreeWidgetItem *item = currentItem();
    if (LibraryTree::kindOf(item) != LibraryNodeKind::Group)
        return;
    const QString name = item->text(0);
    // A plain directory removal: a group that still holds files (even ones the tree does not
    // show) is refused, never emptied.
    if (!LibraryFiles::removeGroup(root(), name)) {
        errorBox(m_panel, Lang::text(Txt::GroupNotEmpty));
        return;
    }
    m_panel->library().groups().removeIf([&name](const SongGroupFiles &group) { return group.name == name; });
    m_search.current = nullptr;
    tree()->removeItem(item);
    m_panel->updateStatus();
}

void LibraryActions::deleteSelected()
{
    // Without a card every path would be relative to the working directory.
    if (root().isEmpty())
        return;
    if (questionBox(m_panel, Lang::text(Txt::DeleteFilesQuestion)) != QMessageBox::Yes)
        return;
    const QList<QTreeWidgetItem *> marked = tree()->markedItems();
    for (QTreeWidgetItem *item : marked) {
        const LibraryNodeKind kind = LibraryTree::kindOf(item);
        if (!isFileNode(kind))
            continue;
        const LibraryItemInfo info = tree()->itemInfo(item, root());
        if (!QFile::remove(info.fullPath)) {
            errorBox(m_panel, Lang::text(Txt::DeleteFileFailed) + u' ' + info.fileName);
            continue;
        }
        m_panel->library().forgetFile(itemKindOf(kind), info.group, item->text(0));
        if (m_search.current == item)
            m_search.current = nullptr;
        tree()->removeItem(item);
    }
    m_panel->updateStatus();
}

void LibraryActions::renamePlaylist()
{
    if (root().isEmpty())
        return;
    QTreeWidgetItem *item = currentItem();
    if (LibraryTree::kindOf(item) != LibraryNodeKind::Playlist)
        return;
    const LibraryItemInfo info = tree()->itemInfo(item, root());
    PlaylistNameDialog dialog(ItemName::titleOfFileName(info.fileName), m_panel);
    if (dialog.exec() != QDialog::Accepted)
        return;
    LibraryFiles::renamePlaylist(LibraryNaming::playlistDirectory(root()), info.fileName, dialog.title());
    m_panel->refreshLibrary(true);
}

void LibraryActions::expandCurrent()
{
    QTreeWidgetItem *item = currentItem();
    if (item && item->childCount() > 0) {
        item->setExpanded(true);
        tree()->scrollToItem(item);
    }
}

void LibraryActions::expandAll()
{
    QTreeWidgetItem *top = tree()->topLevelItem(0);
    for (QTreeWidgetItem *item = top; item; item = LibraryTree::nextInOrder(item))
        item->setExpanded(true);
    if (top)
        tree()->scrollToItem(top);
}

void LibraryActions::collapseAll()
{
    QTreeWidgetItem *top = tree()->topLevelItem(0);
    for (QTreeWidgetItem *item = top; item; item = LibraryTree::nextInOrder(item))
        item->setExpanded(false);
    if (top)
        tree()->scrollToItem(top);
}

void LibraryActions::setSortMode(TitleCollation::SortMode mode)
{
    m_sortMode = mode;
    if (!root().isEmpty())
        m_panel->rebuildTree();
}

void LibraryActions::openGroupFolder()
{
    const LibraryItemInfo info = m_panel->selectedItem();
    if (info.kind == LibraryNodeKind::Song || info.kind == LibraryNodeKind::Group)
        openWithShell(LibraryNaming::groupDirectory(root(), info.group));
}

void LibraryActions::openCurrentItem()
{
    if (root().isEmpty())
        return;
    const LibraryItemInfo info = m_panel->selectedItem();
    if (!isFileNode(info.kind))
        return;
    if (info.kind != LibraryNodeKind::Playlist && !QFileInfo::exists(info.fullPath)) {
        errorBox(m_panel, Lang::text(Txt::FileMissing) + u' ' + info.fullPath);
        return;
    }
    emit openFileRequested(info);
}

void LibraryActions::addCurrentToPlaylist()
{
    const LibraryItemInfo info = m_panel->selectedItem();
    if (info.kind == LibraryNodeKind::Song || info.kind == LibraryNodeKind::Slide)
        emit addToPlaylistRequested(info);
}

void LibraryActions::moveSong(const LibraryItemInfo &dragged, const LibraryItemInfo &target)
{
    if (dragged.kind != LibraryNodeKind::Song || root().isEmpty())
        return;
    if (target.kind != LibraryNodeKind::Song && target.kind != LibraryNodeKind::Group)
        return;
    using LibraryFiles::MoveResult;
    MoveResult result = LibraryFiles::moveSong(root(), dragged.group, dragged.fileName, target.group, false);
    if (result == MoveResult::TargetExists) {
        if (questionBox(m_panel, Lang::text(Txt::MoveReplaceQuestion)) != QMessageBox::Yes)
            return;
        result = LibraryFiles::moveSong(root(), dragged.group, dragged.fileName, target.group, true);
    }
    if (result == MoveResult::SameFile)
        return;
    if (result == MoveResult::SourceMissing)
        errorBox(m_panel, Lang::text(Txt::FileMissing) + u' '
                              + LibraryNaming::groupDirectory(root(), dragged.group) + dragged.fileName);
    m_panel->refreshLibrary(false);
}

void LibraryActions::showIssueWindow()
{
    m_panel->issueWindow()->showIssues(m_panel->library().issues());
}

void LibraryActions::repairDuplicates(ItemKind kind)
{
    if (root().isEmpty())
        return;
    const LibraryFiles::RepairResult result = LibraryFiles::repairDuplicateNumbers(m_panel->library(), kind);
    QStringList leftAsIs;
    for (const QString &name : result.leftAsIs)
        leftAsIs << Lang::text(Txt::RepairNoFreeNumber).arg(name);
    if (!leftAsIs.isEmpty())
        infoBox(m_panel, leftAsIs.join(u'\n'));
    if (result.renamed > 0) {
        m_panel->refreshLibrary(false);
        showIssueWindow();
    }
}

void LibraryActions::initialiseCard()
{
    if (root().isEmpty())
        return;
    LibraryFiles::initialiseCard(root());
    m_panel->refreshLibrary(false);
}

void LibraryActions::openFolderAsCard()
{
    AppCore *core = AppCore::instance();
    const QString start = core ? core->settings().lastDir() : QString();
    const QString folder = chooseFolder(m_panel, start, Lang::text(Txt::OpenFolderAsCardCaption));
    if (folder.isEmpty())
        return;
    if (!m_panel->addCardFolder(folder)) {
        errorBox(m_panel, Lang::text(Txt::FolderNotACard) + u' ' + folder);
        return;
    }
    const QString folderRoot = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + u'/';
    m_panel->driveList()->refreshDrives();
    const int index = m_panel->driveList()->findData(folderRoot);
    if (index >= 0)
        m_panel->driveList()->setCurrentIndex(index);
}

void LibraryActions::editGroupColours()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    QStringList names;
    for (const SongGroupFiles &group : std::as_const(m_panel->library().groups()))
        names << group.name;
    GroupColoursDialog dialog(core->groups(), names, [this, core] {
        const bool saved = core->saveGroups();
        if (!saved)
            errorBox(m_panel, Lang::text(Txt::SettingsNotSaved).arg(core->storePath()));
        return saved;
    }, m_panel);
    dialog.exec();
}

void LibraryActions::newPlaylist()
{
    emit newPlaylistRequested();
}

// --- context menus ---

bool LibraryActions::hasListener(const char *signal) const
{
    const int index = metaObject()->indexOfSignal(QMetaObject::normalizedSignature(signal).constData());
    return index >= 0 && isSignalConnected(metaObject()->method(index));
}

QMenu *LibraryActions::createContextMenu(QTreeWidgetItem *item)
{
    const LibraryNodeKind kind = LibraryTree::kindOf(item);
    if (kind == LibraryNodeKind::None)
        return nullptr;
    auto *menu = new QMenu(m_panel);
    menu->setObjectName(QStringLiteral("treeMenu%1").arg(int(kind)));
    const auto add = [menu](int textId, auto slot, bool enabled = true) {
        QAction *action = menu->addAction(Lang::text(textId), slot);
        action->setObjectName(QStringLiteral("menuText%1").arg(textId));
        action->setEnabled(enabled);
        return action;
    };
    const auto refresh = [this] { m_panel->refreshLibrary(false); };
    const bool single = tree()->selectedCount() <= 1;
    const bool canOpen = hasListener("openFileRequested(LibraryItemInfo)");
    const bool canAdd = hasListener("addToPlaylistRequested(LibraryItemInfo)");
    switch (kind) {
    case LibraryNodeKind::Root: {
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuNewGroup, [this] { newGroup(); });
        add(Txt::MenuExpandAll, [this] { expandAll(); });
        add(Txt::MenuCollapseAll, [this] { collapseAll(); });
        menu->addSeparator();
        QMenu *sort = menu->addMenu(Lang::text(Txt::MenuSort));
        const struct { int text; TitleCollation::SortMode mode; } kModes[] = {
            {Txt::MenuSortByTitle, TitleCollation::SortMode::ByTitle},
            {Txt::MenuSortByNumber, TitleCollation::SortMode::ByNumber},
        };
        for (const auto &mode : kModes) {
            QAction *action = sort->addAction(Lang::text(mode.text), [this, m = mode.mode] { setSortMode(m); });
            action->setObjectName(QStringLiteral("menuText%1").arg(mode.text));
            action->setCheckable(true);
            action->setChecked(m_sortMode == mode.mode);
        }
        break;
    }
    case LibraryNodeKind::Group:
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuSearchSong, [this] { openSearch(); });
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(Txt::MenuDeleteGroup, [this] { deleteGroup(); }, item->childCount() == 0);
        menu->addSeparator();
        add(Txt::MenuOpenGroupFolder, [this] { openGroupFolder(); });
        break;
    case LibraryNodeKind::Song:
        add(Txt::MenuAddToPlaylist, [this] { addCurrentToPlaylist(); }, single && canAdd);
        add(Txt::MenuEditSong, [this] { openCurrentItem(); }, single && canOpen);
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuSearchSong, [this] { openSearch(); });
        add(Txt::MenuDelete, [this] { deleteSelected(); });
        menu->addSeparator();
        add(Txt::MenuOpenGroupFolder, [this] { openGroupFolder(); });
        break;
    case LibraryNodeKind::SlidesNode:
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(Txt::MenuRepairNumbers, [this] { repairDuplicates(ItemKind::Slide); });
        break;
    case LibraryNodeKind::Slide:
        add(Txt::MenuAddToPlaylist, [this] { addCurrentToPlaylist(); }, canAdd);
        add(Txt::MenuEditSlide, [this] { openCurrentItem(); }, canOpen);
        add(Txt::MenuDelete, [this] { deleteSelected(); });
        break;
    case LibraryNodeKind::PlaylistsNode:
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(Txt::MenuRepairNumbers, [this] { repairDuplicates(ItemKind::Playlist); });
        add(Txt::MenuNewPlaylist, [this] { newPlaylist(); }, hasListener("newPlaylistRequested()"));
        break;
    case LibraryNodeKind::Playlist:
        add(Txt::MenuEditPlaylist, [this] { openCurrentItem(); }, canOpen);
        add(Txt::MenuDelete, [this] { deleteSelected(); });
        add(Txt::MenuRename, [this] { renamePlaylist(); });
        break;
    case LibraryNodeKind::None:
        break;
    }
    return menu;
}

// --- search ---

void LibraryActions::setSearch(bool byNumber, const QString &lowerText, int number)
{
    m_search.byNumber = byNumber;
    m_search.text = lowerText;
    m_search.number = number;
    m_search.current = tree()->topLevelItem(0);
}

void LibraryActions::openSearch()
{
    if (root().isEmpty())
        return;
    SearchDialog dialog(m_search.text, m_panel);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.byNumber())
        setSearch(true, m_search.text, dialog.number());
    else
        setSearch(false, dialog.text(), m_search.number);
    findNext();
}

void LibraryActions::selectFound(QTreeWidgetItem *item)
{
    item->setExpanded(true);
    tree()->clickItem(item, Qt::NoModifier);
    tree()->scrollToItem(item);
    tree()->setFocus();
    m_search.current = item;
}

QTreeWidgetItem *LibraryActions::findText(QTreeWidgetItem *from, const std::function<bool(QTreeWidgetItem *)> &matches)
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

bool LibraryActions::findNext()
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
        infoBox(m_panel, Lang::text(Txt::SearchNotFound));
        m_search.text.clear();
        return false;
    }
    const QList<LibrarySearch::SongRef> songs = LibrarySearch::songsWithNumber(m_panel->library(), m_search.number);
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
    infoBox(m_panel, Lang::text(Txt::SearchNumberNotFound));
    m_search.number = -1;
    return false;
}

void LibraryActions::continueSearch()
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
