// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/libraryactions.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/library/cardfolder.h"
#include "core/library/issuerows.h"
#include "core/library/libraryfiles.h"
#include "core/search/librarysearch.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"
#include "gui/app/commandregistry.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/widgets/drivecombo.h"
#include "gui/library/groupcoloursdialog.h"
#include "gui/library/issuewindow.h"
#include "core/search/lyricindexer.h"
#include "gui/library/librarytree.h"
#include "gui/library/libraryview.h"
#include "gui/library/lyricfilecommands.h"
#include "gui/widgets/newgroupdialog.h"
#include "gui/widgets/playlistnamedialog.h"
#include "gui/library/searchdialog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSet>
#include <QSettings>

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

LibraryActions::LibraryActions(QWidget *owner, Workspace &workspace, LibraryTree *tree, LibraryView &view,
                               CommandRegistry *commands)
    : QObject(owner), m_owner(owner), m_workspace(workspace), m_tree(tree), m_view(view),
      m_lyricFiles(new LyricFileCommands(workspace, owner))
{
    LibraryTree *t = m_tree;
    connect(t, &LibraryTree::newGroupRequested, this, &LibraryActions::newGroup);
    connect(t, &LibraryTree::searchRequested, this, &LibraryActions::openSearch);
    connect(t, &LibraryTree::continueSearchRequested, this, &LibraryActions::continueSearch);
    connect(t, &LibraryTree::addToPlaylistRequested, this, &LibraryActions::addCurrentToPlaylist);
    connect(t, &LibraryTree::songDropped, this, &LibraryActions::moveSong);
    connect(t, &LibraryTree::deleteRequested, this, &LibraryActions::deleteSelected);
    connect(t, &LibraryTree::renameRequested, this, &LibraryActions::renamePlaylist);
    connect(t, &LibraryTree::openRequested, this, &LibraryActions::openCurrentItem);

    connect(t, &LibraryTree::contextMenuRequested, this, [this](QTreeWidgetItem *item, const QPoint &pos) {
        std::unique_ptr<QMenu> menu(createContextMenu(item));
        if (menu)
            menu->exec(pos);
    });
    if (commands)
        wireCommands(*commands);
}

void LibraryActions::wireCommands(CommandRegistry &commands)
{
    const auto hasCard = [this] { return !root().isEmpty(); };
    commands.handle(Command::IssueWindow, this, &LibraryActions::showIssueWindow);
    commands.handle(Command::FindSong, this, &LibraryActions::openSearch, hasCard);
    commands.handle(
        Command::RefreshFileList, this, [this] { m_view.refreshLibrary(true); }, hasCard);
    commands.handle(Command::InitialiseCard, this, &LibraryActions::initialiseCard, hasCard);
    commands.handle(Command::OpenFolderAsCard, this, &LibraryActions::openFolderAsCard);
    commands.handle(Command::GroupColours, this, &LibraryActions::editGroupColours);
    commands.handle(
        Command::ImportLyricFiles, this, [this] { m_lyricFiles->importFiles(selectedItem().group); }, hasCard);
}

QString LibraryActions::root() const
{
    return m_workspace.root();
}

LibraryItemInfo LibraryActions::selectedItem() const
{
    return m_tree->itemInfo(m_tree->currentItem(), root());
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
    NewGroupDialog dialog(LibraryNaming::songDirectory(root()), m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QString reason;
    if (CardFolder::makeDirectory(root(), dialog.name(), &reason))
        m_view.refreshLibrary(false, LibraryTree::keyFor(LibraryNodeKind::Group, {}, dialog.name()), false);
    else
        errorBox(m_owner, Lang::text(Txt::GroupCreateFailed) + u'\n' + reason);
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
    // A directory already gone behind the tree's back leaves only its node to remove.
    const bool gone = !QFileInfo(LibraryNaming::groupDirectory(root(), name)).isDir();
    if (!gone && !LibraryFiles::removeGroup(root(), name)) {
        errorBox(m_owner, Lang::text(Txt::GroupNotEmpty));
        return;
    }
    workspace().library().groups().removeIf([&name](const SongGroupFiles &group) { return group.name == name; });
    workspace().lyrics()->directoryRemoved(LibraryNaming::groupDirectory(root(), name));
    m_search.current = nullptr;
    tree()->removeItem(item);
    m_workspace.markChanged();
}

QList<QTreeWidgetItem *> LibraryActions::deletableItems() const
{
    // Several marks hold songs and slides only; a playlist is deleted only when it is the one mark.
    const QList<QTreeWidgetItem *> marked = tree()->markedItems();
    QList<QTreeWidgetItem *> files;
    for (QTreeWidgetItem *item : marked) {
        const LibraryNodeKind kind = LibraryTree::kindOf(item);
        if (kind == LibraryNodeKind::Song || kind == LibraryNodeKind::Slide
            || (kind == LibraryNodeKind::Playlist && marked.size() == 1))
            files << item;
    }
    return files;
}

void LibraryActions::deleteSelected()
{
    // Without a card every path would be relative to the working directory.
    if (root().isEmpty())
        return;
    const QString card = root();
    QList<QTreeWidgetItem *> files = deletableItems();
    if (files.isEmpty())
        return;
    QStringList paths;
    for (QTreeWidgetItem *item : std::as_const(files))
        paths << tree()->itemInfo(item, card).fullPath;
    if (questionBox(m_owner, deleteQuestion(files), {}, QMessageBox::No) != QMessageBox::Yes)
        return;
    // The card may have gone or changed while the question was open, and the tree with it:
    // only items still marked on the same card, and the very files asked about, are deleted.
    if (root() != card)
        return;
    files = deletableItems();
    const QSet<QString> asked(paths.cbegin(), paths.cend());
    QSet<QString> deleted;
    for (QTreeWidgetItem *item : std::as_const(files)) {
        const LibraryNodeKind kind = LibraryTree::kindOf(item);
        const LibraryItemInfo info = tree()->itemInfo(item, card);
        if (!asked.contains(info.fullPath))
            continue;
        if (!QFile::remove(info.fullPath)) {
            errorBox(m_owner, Lang::text(Txt::DeleteFileFailed) + u' ' + info.fileName);
            continue;
        }
        workspace().library().forgetFile(itemKindOf(kind), info.group, item->text(0));
        deleted << LoadIssue::location(info.group, item->text(0));
        workspace().fileWasDeleted(info.fullPath);
        if (m_search.current == item)
            m_search.current = nullptr;
        tree()->removeItem(item);
    }
    workspace().library().issues() = issuesWithout(workspace().library().issues(), deleted);
    m_workspace.markChanged();
    // The freed numbers (and duplicates that are no longer duplicates) come from a rescan, as
    // after a save: a new song may take a deleted one's number without being told it is taken.
    if (!deleted.isEmpty())
        m_workspace.refresh(false, QString(), false);
}

QString LibraryActions::deleteQuestion(const QList<QTreeWidgetItem *> &files)
{
    constexpr int kNamesShown = 5;
    QStringList names;
    for (int i = 0; i < std::min<qsizetype>(files.size(), kNamesShown); ++i)
        names << files.at(i)->text(0);
    if (files.size() > kNamesShown)
        names << QStringLiteral("…");
    return Lang::text(Txt::DeleteFilesQuestion) + QStringLiteral(" (%1)\n\n").arg(files.size()) + names.join(u'\n');
}

void LibraryActions::renamePlaylist()
{
    if (root().isEmpty())
        return;
    QTreeWidgetItem *item = currentItem();
    if (LibraryTree::kindOf(item) != LibraryNodeKind::Playlist)
        return;
    const LibraryItemInfo info = tree()->itemInfo(item, root());
    const QString title = ItemName::titleOfFileName(info.fileName);
    const QString directory = LibraryNaming::playlistDirectory(root());
    PlaylistNameDialog dialog(title, m_owner);
    // A name another playlist has is refused with a word, and the name can be typed again.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.title() == title)
            return;
        const QString taken = info.fileName.left(ItemName::kTitleStart) + dialog.title()
            + ItemName::extension(ItemKind::Playlist);
        if (!QFileInfo::exists(QDir(directory).filePath(taken)))
            break;
        warningBox(m_owner, Lang::text(Txt::PlaylistNameTaken).arg(dialog.title()));
    }
    QString renamed;
    const bool done = LibraryFiles::renamePlaylist(directory, info.fileName, dialog.title(), &renamed);
    if (!done)
        errorBox(m_owner, Lang::text(Txt::IssueRenameFailed).arg(title, QDir::toNativeSeparators(renamed)));
    if (done)
        workspace().playlistWasRenamed(info.fullPath, QDir(directory).filePath(QFileInfo(renamed).fileName()));
    const QString shown = done ? QFileInfo(renamed).completeBaseName() : item->text(0);
    m_view.refreshLibrary(true, LibraryTree::keyFor(LibraryNodeKind::Playlist, {}, shown));
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
        m_view.rebuildTree();
}

void LibraryActions::openGroupFolder()
{
    const LibraryItemInfo info = selectedItem();
    if (info.kind != LibraryNodeKind::Song && info.kind != LibraryNodeKind::Group)
        return;
    const QString folder = LibraryNaming::groupDirectory(root(), info.group);
    if (!openWithShell(m_owner, folder))
        errorBox(m_owner, Lang::text(Txt::ShellOpenFailed) + u'\n' + QDir::toNativeSeparators(folder));
}

void LibraryActions::openCurrentItem()
{
    if (root().isEmpty())
        return;
    const LibraryItemInfo info = selectedItem();
    if (!isFileNode(info.kind))
        return;
    if (info.kind != LibraryNodeKind::Playlist && !QFileInfo::exists(info.fullPath)) {
        errorBox(m_owner, Lang::text(Txt::FileMissing) + u' ' + info.fullPath);
        return;
    }
    workspace().openItem(info);
}

void LibraryActions::addCurrentToPlaylist()
{
    const LibraryItemInfo info = selectedItem();
    if (info.kind == LibraryNodeKind::Song || info.kind == LibraryNodeKind::Slide)
        workspace().addToPlaylist(info);
    else if (info.kind == LibraryNodeKind::Playlist)
        openCurrentItem();
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
        if (questionBox(m_owner, Lang::text(Txt::MoveReplaceQuestion), {}, QMessageBox::No) != QMessageBox::Yes)
            return;
        result = LibraryFiles::moveSong(root(), dragged.group, dragged.fileName, target.group, true);
    }
    if (result == MoveResult::SameFile)
        return;
    if (result == MoveResult::SourceMissing)
        errorBox(m_owner,
                 Lang::text(Txt::FileMissing) + u' ' + LibraryNaming::groupDirectory(root(), dragged.group)
                     + dragged.fileName);
    const bool moved = result == MoveResult::Moved;
    if (moved)
        workspace().songWasMoved(LibraryNaming::groupDirectory(root(), dragged.group) + dragged.fileName,
                                 LibraryNaming::groupDirectory(root(), target.group) + dragged.fileName);
    m_view.refreshLibrary(false,
                          LibraryTree::keyFor(LibraryNodeKind::Song, moved ? target.group : dragged.group,
                                              QFileInfo(dragged.fileName).completeBaseName()),
                          !moved);
}

void LibraryActions::showIssueWindow()
{
    m_view.issueWindow()->showIssues(workspace().library().issues());
}

void LibraryActions::repairDuplicates(ItemKind kind)
{
    if (root().isEmpty())
        return;
    const LibraryFiles::RepairResult result = LibraryFiles::repairDuplicateNumbers(workspace().library(), kind);
    QStringList leftAsIs;
    for (const QString &name : result.leftAsIs)
        leftAsIs << Lang::text(Txt::RepairNoFreeNumber).arg(name);
    if (!leftAsIs.isEmpty())
        infoBox(m_owner, leftAsIs.join(u'\n'));
    if (result.renamed > 0) {
        m_view.refreshLibrary(false);
        showIssueWindow();
    }
}

void LibraryActions::initialiseCard()
{
    if (root().isEmpty())
        return;
    LibraryFiles::initialiseCard(root());
    m_view.refreshLibrary(false);
}

void LibraryActions::openFolderAsCard()
{
    AppCore *core = AppCore::instance();
    const QString start = core ? core->settings().lastDir() : QString();
    const QString folder = chooseFolder(m_owner, start, Lang::text(Txt::OpenFolderAsCardCaption));
    if (folder.isEmpty())
        return;
    if (core) {
        core->settings().setLastDir(folder);
        core->saveSettings();
    }
    openCardFolder(folder);
}

void LibraryActions::openCardFolder(const QString &folder)
{
    if (!m_view.offerCardFolder(folder))
        return;
    const QString folderRoot = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + u'/';
    m_view.driveList()->refreshDrives();
    const int index = m_view.driveList()->findData(folderRoot);
    if (index >= 0)
        m_view.driveList()->setCurrentIndex(index);
}

void LibraryActions::openDemoCard()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    // The shipped card stays as shipped: the user works on a copy of it in the data folder.
    const QString source = core->dirs().demoCardDir();
    const QString copy = core->dirs().dataDir + QStringLiteral("demo-card/");
    if (!QFileInfo(copy).isDir()) {
        bool copied = QDir().mkpath(copy) && copyFiles(source, copy);
        for (const QString &group : sortedEntries(source, QDir::Dirs | QDir::NoSymLinks))
            copied = QDir().mkpath(copy + group) && copyFiles(source + group, copy + group) && copied;
        if (!copied) {
            errorBox(m_owner, Lang::text(Txt::CannotRead).arg(QDir::toNativeSeparators(source), QString()));
            return;
        }
    }
    openCardFolder(copy);
}

void LibraryActions::editGroupColours()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    QStringList names;
    for (const SongGroupFiles &group : std::as_const(workspace().library().groups()))
        names << group.name;
    const auto save = [this, core] {
        if (core->saveGroups())
            return true;
        errorBox(m_owner, Lang::text(Txt::SettingsNotSaved).arg(QDir::toNativeSeparators(core->storePath())));
        return false;
    };
    GroupColoursDialog dialog(core->groups(), names, save, m_owner);
    dialog.exec();
}

void LibraryActions::newPlaylist()
{
    workspace().newPlaylist();
}

// --- context menus ---

QMenu *LibraryActions::createContextMenu(QTreeWidgetItem *item)
{
    const LibraryNodeKind kind = LibraryTree::kindOf(item);
    if (kind == LibraryNodeKind::None)
        return nullptr;
    auto *menu = new QMenu(m_owner);
    menu->setObjectName(QStringLiteral("treeMenu%1").arg(int(kind)));
    const auto add = [menu](int textId, auto slot, bool enabled = true) {
        QAction *action = menu->addAction(Lang::text(textId), slot);
        action->setObjectName(QStringLiteral("menuText%1").arg(textId));
        action->setEnabled(enabled);
        return action;
    };
    const auto refresh = [this] { m_view.refreshLibrary(false); };
    // The keys the tree answers, shown beside their entries.
    const auto key = [](QAction *action, const QKeySequence &sequence) { action->setShortcut(sequence); };
    const bool single = tree()->selectedCount() <= 1;
    switch (kind) {
    case LibraryNodeKind::Root: {
        add(Txt::MenuRefreshSongList, refresh);
        key(add(Txt::MenuNewGroup, [this] { newGroup(); }), Qt::Key_F7);
        add(Txt::MenuExpandAll, [this] { expandAll(); });
        add(Txt::MenuCollapseAll, [this] { collapseAll(); });
        add(Txt::OpenLyricsExportMenu, [this] { m_lyricFiles->exportSongs({}); });
        menu->addSeparator();
        QMenu *sort = menu->addMenu(Lang::text(Txt::MenuSort));
        const struct
        {
            int text;
            TitleCollation::SortMode mode;
        } kModes[] = {
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
        key(add(Txt::MenuSearchSong, [this] { openSearch(); }), QKeySequence::Find);
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(
            Txt::MenuDeleteGroup, [this] { deleteGroup(); }, item->childCount() == 0);
        add(Txt::OpenLyricsExportMenu, [this, group = item->text(0)] { m_lyricFiles->exportSongs(group); });
        menu->addSeparator();
        add(Txt::MenuOpenGroupFolder, [this] { openGroupFolder(); });
        break;
    case LibraryNodeKind::Song:
        key(add(
                Txt::MenuAddToPlaylist, [this] { addCurrentToPlaylist(); }, single),
            QKeySequence(Qt::Key_Insert));
        add(
            Txt::MenuEditSong, [this] { openCurrentItem(); }, single);
        add(Txt::MenuRefreshSongList, refresh);
        key(add(Txt::MenuSearchSong, [this] { openSearch(); }), QKeySequence::Find);
        key(add(Txt::MenuDelete, [this] { deleteSelected(); }), QKeySequence::Delete);
        menu->addSeparator();
        add(Txt::MenuOpenGroupFolder, [this] { openGroupFolder(); });
        break;
    case LibraryNodeKind::SlidesNode:
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(Txt::MenuRepairNumbers, [this] { repairDuplicates(ItemKind::Slide); });
        break;
    case LibraryNodeKind::Slide:
        key(add(Txt::MenuAddToPlaylist, [this] { addCurrentToPlaylist(); }), QKeySequence(Qt::Key_Insert));
        add(Txt::MenuEditSlide, [this] { openCurrentItem(); });
        key(add(Txt::MenuDelete, [this] { deleteSelected(); }), QKeySequence::Delete);
        break;
    case LibraryNodeKind::PlaylistsNode:
        add(Txt::MenuRefreshSongList, refresh);
        add(Txt::MenuExpandGroup, [this] { expandCurrent(); });
        add(Txt::MenuRepairNumbers, [this] { repairDuplicates(ItemKind::Playlist); });
        add(Txt::MenuNewPlaylist, [this] { newPlaylist(); });
        break;
    case LibraryNodeKind::Playlist:
        add(Txt::MenuEditPlaylist, [this] { openCurrentItem(); });
        key(add(Txt::MenuDelete, [this] { deleteSelected(); }), QKeySequence::Delete);
        key(add(Txt::MenuRename, [this] { renamePlaylist(); }), Qt::Key_F2);
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
    SearchDialog dialog(m_search.text, m_owner);
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
    // A search that went on from an earlier match ends with "no further match", not "not found".
    const bool continued = m_search.current && m_search.current != tree()->topLevelItem(0);
    QTreeWidgetItem *found = nullptr;
    if (!m_search.byNumber) {
        const QString text = m_search.text;
        found = findText(m_search.current,
                         [&text](QTreeWidgetItem *item) { return LibrarySearch::titleMatches(item->text(0), text); });
    } else if (workspace().library().numbers(ItemKind::Song).isUsed(m_search.number)) {
        // The number tables say whether a song has the number; the names say which ones.
        const int number = m_search.number;
        found = findText(m_search.current, [number](QTreeWidgetItem *item) {
            return LibraryTree::kindOf(item) == LibraryNodeKind::Song && ItemName::number(item->text(0)) == number;
        });
    }
    if (found) {
        selectFound(found);
        return true;
    }
    if (continued)
        infoBox(m_owner, Lang::text(Txt::SearchNoFurther));
    else
        infoBox(m_owner, Lang::text(m_search.byNumber ? Txt::SearchNumberNotFound : Txt::SearchNotFound));
    m_search.text.clear();
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
