// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/card/drivecombo.h"
#include "gui/library/issuewindow.h"
#include "gui/library/librarytree.h"
#include "gui/library/waitdialog.h"
#include "gui/library/treeicons.h"
#include "gui/main/mainwindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QStackedWidget>
#include <QVBoxLayout>

using LibraryNaming::ItemKind;

LibraryPanel::LibraryPanel(MainWindow *frame, std::shared_ptr<DriveProvider> removableDrives, QWidget *parent)
    : QWidget(parent), m_frame(frame)
{
    setObjectName(QStringLiteral("LibraryPanel"));
    m_folders = std::make_shared<FolderCardProvider>();
    m_allDrives = std::make_shared<CombinedDriveProvider>();
    if (removableDrives)
        m_allDrives->add(std::move(removableDrives));
    m_allDrives->add(m_folders);

    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("panelTitle"));
    setControlText(title, Txt::PanelTitle);
    m_drives = new DriveCombo(this);
    m_drives->setProvider(m_allDrives);
    m_tree = new LibraryTree(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 2, 4);
    layout->addWidget(title);
    layout->addWidget(m_drives);
    layout->addWidget(m_tree, 1);
    m_issueWindow = new IssueWindow(this);

    connect(m_drives, &DriveCombo::cardInserted, this, &LibraryPanel::cardInserted);
    connect(m_drives, &DriveCombo::cardRemoved, this, &LibraryPanel::cardRemoved);
    connect(m_drives, &DriveCombo::driveChanged, this, &LibraryPanel::driveChosen);
    connect(m_tree, &LibraryTree::newGroupRequested, this, &LibraryPanel::newGroup);
    connect(m_tree, &LibraryTree::searchRequested, this, &LibraryPanel::openSearch);
    connect(m_tree, &LibraryTree::continueSearchRequested, this, &LibraryPanel::continueSearch);
    connect(m_tree, &LibraryTree::addToPlaylistRequested, this, &LibraryPanel::addCurrentToPlaylist);
    connect(m_tree, &LibraryTree::songDropped, this, &LibraryPanel::moveSong);
    connect(m_tree, &LibraryTree::contextMenuRequested, this, [this](QTreeWidgetItem *item, const QPoint &pos) {
        std::unique_ptr<QMenu> menu(createContextMenu(item));
        if (menu)
            menu->exec(pos);
    });

    if (AppCore *core = AppCore::instance()) {
        for (const QString &folder : core->cardFolders()) {
            if (!addCardFolder(folder))
                errorBox(this, Lang::text(Txt::FolderNotACard) + u' ' + folder);
        }
    }
    connectFrame();
    setLibraryEnabled(false);
    updateStatus();
    QMetaObject::invokeMethod(this, &LibraryPanel::initialUpdate, Qt::QueuedConnection);
}

LibraryPanel::~LibraryPanel() = default;

void LibraryPanel::connectFrame()
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
    wire(Command::IssueWindow, &LibraryPanel::showIssueWindow);
    wire(Command::FindSong, &LibraryPanel::openSearch);
    wire(Command::RefreshFileList, [this] { refreshLibrary(true); });
    wire(Command::InitialiseCard, &LibraryPanel::initialiseCard);
    wire(Command::OpenFolderAsCard, &LibraryPanel::openFolderAsCard);
    wire(Command::GroupColours, &LibraryPanel::editGroupColours);
}

void LibraryPanel::initialUpdate()
{
    if (m_initialised)
        return;
    m_initialised = true;
    m_startingUp = true;
    m_drives->refreshDrives();
    m_drives->enablePolling(true);
    m_startingUp = false;
}

bool LibraryPanel::addCardFolder(const QString &path)
{
    return m_folders->addFolder(path);
}

void LibraryPanel::setLibraryEnabled(bool on)
{
    m_tree->setEnabled(on);
    if (m_frame)
        m_frame->pages()->setEnabled(on);
}

LibraryItemInfo LibraryPanel::selectedItem() const
{
    return m_tree->itemInfo(currentItem(), m_root);
}

QTreeWidgetItem *LibraryPanel::currentItem() const
{
    return m_tree->currentItem();
}

void LibraryPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// --- card notifications ---

void LibraryPanel::cardInserted()
{
    m_root = m_drives->drivePath();
    updateStatus();
    if (!m_handlingInsert) {
        m_handlingInsert = true;
        if (m_startingUp) {
            refreshLibrary(false);
        } else {
            const auto answer = questionBox(this, Lang::text(Txt::CardInsertedQuestion), {}, QMessageBox::No);
            refreshLibrary(answer == QMessageBox::Yes);
        }
        emit newPlaylistRequested();
        m_handlingInsert = false;
    }
    // The card may have gone while the question was open.
    setLibraryEnabled(!m_root.isEmpty());
}

void LibraryPanel::driveChosen()
{
    if (m_drives->drivePath() != m_root)
        cardInserted();
}

void LibraryPanel::cardRemoved()
{
    m_root.clear();
    m_tree->clearTree();
    m_search.current = nullptr;
    setLibraryEnabled(false);
    updateStatus();
}

// --- refresh, tree, status ---

void LibraryPanel::refreshLibrary(bool full)
{
    if (m_root.isEmpty())
        return;
    m_library.setRoot(m_root);
    // No drive poll while the scan lets events through: a card that disappears now is noticed
    // by the next poll after the scan, not halfway through building the tree of it.
    const bool polling = m_drives->isPolling();
    m_drives->enablePolling(false);
    WaitDialog wait(this);
    wait.runScan(m_library, full ? ScanFlags::kFullRefresh : ScanFlags::kRefresh);
    if (polling)
        m_drives->enablePolling(true);
    rebuildTree();
    m_issueWindow->fill(m_library.issues());
    if (!m_library.issues().isEmpty())
        m_issueWindow->showIssues(m_library.issues());
}

void LibraryPanel::rebuildTree()
{
    m_search.current = nullptr;
    m_tree->build(libraryTreeNodes(m_library, m_sortMode));
    updateStatus();
    emit treeRebuilt();
}

void LibraryPanel::updateStatus()
{
    const bool chosen = !m_root.isEmpty();
    const auto count = [](int n) { return QString::number(n > 9000 ? 0 : n); };
    if (m_frame) {
        m_frame->setStatusPane(0, chosen ? Lang::text(Txt::StatusDrive) + u' ' + m_root : Lang::text(Txt::StatusNoDrive));
        m_frame->setStatusIcon(TreeIcons::statusIcon(chosen));
        m_frame->setStatusPane(1, chosen ? count(m_library.songCount()) : QStringLiteral("0"));
        m_frame->setStatusPane(2, chosen ? count(m_library.slideCount()) : QStringLiteral("0"));
        for (Command command : {Command::FindSong, Command::RefreshFileList, Command::InitialiseCard}) {
            if (QAction *action = m_frame->action(command))
                action->setEnabled(chosen);
        }
    }
}

// --- context menus ---

bool LibraryPanel::hasListener(const char *signal) const
{
    const int index = metaObject()->indexOfSignal(QMetaObject::normalizedSignature(signal).constData());
    return index >= 0 && isSignalConnected(metaObject()->method(index));
}

QMenu *LibraryPanel::createContextMenu(QTreeWidgetItem *item)
{
    const LibraryNodeKind kind = LibraryTree::kindOf(item);
    if (kind == LibraryNodeKind::None)
        return nullptr;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("treeMenu%1").arg(int(kind)));
    const auto add = [menu](int textId, auto slot, bool enabled = true) {
        QAction *action = menu->addAction(Lang::text(textId), slot);
        action->setObjectName(QStringLiteral("menuText%1").arg(textId));
        action->setEnabled(enabled);
        return action;
    };
    const auto refresh = [this] { refreshLibrary(false); };
    const bool single = m_tree->selectedCount() <= 1;
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
        add(Txt::MenuNewPlaylist, [this] { emit newPlaylistRequested(); }, hasListener("newPlaylistRequested()"));
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
