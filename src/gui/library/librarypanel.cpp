// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/library/cardfolder.h"
#include "core/library/issuerows.h"
#include "core/search/lyricindexer.h"
#include "core/library/namerepair.h"
#include "core/util/directorylisting.h"
#include "gui/app/commandregistry.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/drivecombo.h"
#include "gui/app/udisks2driveprovider.h"
#include "gui/library/issuewindow.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarytree.h"
#include "gui/library/lyricsearchfield.h"
#include "gui/library/waitdialog.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

LibraryPanel::LibraryPanel(Workspace &workspace, CommandRegistry *commands,
                           std::shared_ptr<DriveProvider> removableDrives, QWidget *parent)
    : QWidget(parent), m_workspace(workspace), m_commands(commands)
{
    setObjectName(QStringLiteral("LibraryPanel"));
    m_folders = std::make_shared<FolderCardProvider>();
    m_allDrives = std::make_shared<CombinedDriveProvider>();
    if (auto *removable = dynamic_cast<RemovableDriveProvider *>(removableDrives.get()))
        m_udisks = removable->udisks();
    if (removableDrives)
        m_allDrives->add(std::move(removableDrives));
    m_allDrives->add(m_folders);

    auto *title = new QLabel(this);
    title->setObjectName(QStringLiteral("panelTitle"));
    setControlText(title, Txt::PanelTitle);
    m_drives = new DriveCombo(this);
    m_drives->setProvider(m_allDrives);
    m_tree = new LibraryTree(this);
    m_treeArea = new QStackedWidget(this);
    m_treeArea->addWidget(m_tree);
    m_searchField = new LyricSearchField(m_workspace.lyrics(), m_treeArea, m_tree, this);
    connect(m_searchField, &LyricSearchField::hitActivated, this, &LibraryPanel::openLyricHit);
    // Ctrl+F stays the title and number search of the tree.
    auto *focusSearch = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), this);
    connect(focusSearch, &QShortcut::activated, this, [this] {
        m_searchField->setFocus(Qt::ShortcutFocusReason);
        m_searchField->selectAll();
    });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 2, 4);
    layout->addWidget(title);
    layout->addWidget(m_drives);
    layout->addWidget(m_searchField);
    layout->addWidget(m_treeArea, 1);
    m_issueWindow = new IssueWindow(this);
    m_actions = new LibraryActions(this, commands);
    m_emptyState = createEmptyState();
    m_treeArea->addWidget(m_emptyState);
    connect(m_issueWindow, &IssueWindow::fileActivated, this, &LibraryPanel::selectIssueFile);
    connect(m_issueWindow, &IssueWindow::renameRequested, this, &LibraryPanel::renameIssueFile);
    connect(&m_workspace, &Workspace::refreshRequested, this, &LibraryPanel::refreshLibrary);
    connect(&m_workspace, &Workspace::songSaved, this, &LibraryPanel::showSavedFile);
    // The group of the tree's current item is where a new song most likely goes.
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this] { m_workspace.setCurrentGroup(selectedItem().group); });
    connect(&m_workspace, &Workspace::fileShown, this,
            [this](const QString &path, bool slide) { m_tree->restoreState(m_tree->state(), keyOfFile(path, slide)); });
    connect(&m_workspace, &Workspace::libraryChanged, this, [this] {
        updateStatus();
        const bool empty = m_workspace.library().songCount() == 0;
        m_tree->setEmptyHint(empty ? Lang::text(Txt::EmptyLibraryHint) : QString());
        m_issueWindow->fill(m_workspace.issues());
    });

    connect(m_drives, &DriveCombo::cardInserted, this, &LibraryPanel::cardInserted);
    connect(m_drives, &DriveCombo::cardRemoved, this, &LibraryPanel::cardRemoved);
    connect(m_drives, &DriveCombo::driveChanged, this, &LibraryPanel::driveChosen);

    if (AppCore *core = AppCore::instance()) {
        for (const QString &folder : core->cardFolders())
            offerCardFolder(folder);
    }
    setLibraryEnabled(false);
    showEmptyState(true);
    updateStatus();
    QMetaObject::invokeMethod(this, &LibraryPanel::initialUpdate, Qt::QueuedConnection);
}

LibraryPanel::~LibraryPanel() = default;

QString LibraryPanel::root() const
{
    return m_workspace.root();
}

LyricIndexer *LibraryPanel::lyricIndexer() const
{
    return m_workspace.lyrics();
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

bool LibraryPanel::offerCardFolder(const QString &path)
{
    QString reason;
    const QString shown = QDir::toNativeSeparators(path);
    switch (CardFolder::inspect(path, &reason)) {
    case CardFolder::State::NotADirectory:
    case CardFolder::State::Unreadable:
        errorBox(this, Lang::text(Txt::CannotRead).arg(shown, reason));
        return false;
    case CardFolder::State::NotACard:
        if (questionBox(this, Lang::text(Txt::NotACardQuestion).arg(shown), {}, QMessageBox::No) != QMessageBox::Yes)
            return false;
        break;
    case CardFolder::State::Card:
    case CardFolder::State::Empty:
        break;
    }
    if (!addCardFolder(path)) {
        errorBox(this, Lang::text(Txt::FolderNotACard) + u' ' + shown);
        return false;
    }
    return true;
}

QWidget *LibraryPanel::createEmptyState()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("emptyState"));
    auto *text = new QLabel(page);
    text->setObjectName(QStringLiteral("emptyStateText"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    setControlText(text, Txt::EmptyStateText);
    auto *openFolder = new QPushButton(page);
    openFolder->setObjectName(QStringLiteral("openFolderButton"));
    setControlText(openFolder, Txt::MenuOpenFolderAsCard);
    connect(openFolder, &QPushButton::clicked, m_actions, &LibraryActions::openFolderAsCard);
    auto *openDemo = new QPushButton(page);
    openDemo->setObjectName(QStringLiteral("openDemoButton"));
    setControlText(openDemo, Txt::OpenDemoCard);
    connect(openDemo, &QPushButton::clicked, m_actions, &LibraryActions::openDemoCard);
    auto *layout = new QVBoxLayout(page);
    layout->addStretch(1);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addWidget(openFolder);
    layout->addWidget(openDemo);
    layout->addStretch(2);
    return page;
}

void LibraryPanel::showEmptyState(bool on)
{
    m_treeArea->setCurrentWidget(on ? m_emptyState : static_cast<QWidget *>(m_tree));
}

void LibraryPanel::forgetLibrary()
{
    SongLibrary &library = m_workspace.library();
    library.setRoot(QString());
    library.scanLibrary({}); // a library without a root empties itself
    library.setRoot(m_workspace.root());
    m_tree->clearTree();
    m_shownRoot.clear();
    m_actions->forgetSearchPosition();
    m_workspace.lyrics()->clear();
}

void LibraryPanel::renameIssueFile(const QByteArray &rawPath, const QString &newName)
{
    QString error;
    if (!NameRepair::rename(root(), rawPath, newName, &error))
        errorBox(m_issueWindow, Lang::text(Txt::IssueRenameFailed).arg(escapedFileName(rawPath), error));
    refreshLibrary(false);
}

void LibraryPanel::selectIssueFile(IssueFileType fileType, const QString &group, const QString &file)
{
    // Slides and playlists have one directory each: the tree keys them by the file alone.
    switch (fileType) {
    case IssueFileType::Slide:
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Slide, {}, file));
        break;
    case IssueFileType::Playlist:
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Playlist, {}, file));
        break;
    case IssueFileType::Song:
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Song, group, file));
        break;
    }
    m_tree->setFocus();
}

void LibraryPanel::setLibraryEnabled(bool on)
{
    m_tree->setEnabled(on);
    m_searchField->setEnabled(on);
    if (!on)
        m_searchField->leave();
    emit libraryEnabledChanged(on);
}

LibraryItemInfo LibraryPanel::selectedItem() const
{
    return m_tree->itemInfo(m_tree->currentItem(), root());
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
    m_workspace.setRoot(m_drives->drivePath());
    showEmptyState(root().isEmpty());
    updateStatus();
    if (!m_handlingInsert) {
        m_handlingInsert = true;
        if (m_startingUp) {
            refreshLibrary(false);
        } else {
            const auto answer = questionBox(this, Lang::text(Txt::CardInsertedQuestion), {}, QMessageBox::No);
            refreshLibrary(answer == QMessageBox::Yes);
        }
        m_actions->newPlaylist();
        m_handlingInsert = false;
    }
    // The card may have gone while the question was open.
    setLibraryEnabled(!root().isEmpty());
}

void LibraryPanel::driveChosen()
{
    if (m_drives->drivePath() != root())
        cardInserted();
}

void LibraryPanel::cardRemoved()
{
    m_workspace.setRoot({});
    m_actions->forgetSearchPosition();
    m_workspace.lyrics()->clear();
    m_tree->clearTree();
    m_shownRoot.clear();
    setLibraryEnabled(false);
    showEmptyState(true);
    updateStatus();
}

// --- refresh, tree, status ---

void LibraryPanel::refreshLibrary(bool full, const QString &select, bool reindexLyrics)
{
    if (root().isEmpty())
        return;
    QString reason;
    const CardFolder::State folder = CardFolder::inspect(root(), &reason);
    if (folder == CardFolder::State::NotADirectory || folder == CardFolder::State::Unreadable) {
        // Said aloud rather than shown as an empty card with zero counts.
        forgetLibrary();
        libraryChanged();
        errorBox(this, Lang::text(Txt::CannotRead).arg(QDir::toNativeSeparators(root()), reason));
        return;
    }
    // The issue window comes forward when the scan finds something the user has not been shown
    // yet (another card, or a file newly in trouble), never merely because a save rescanned.
    const bool sameCard = !m_shownRoot.isEmpty() && m_shownRoot == m_workspace.library().root()
        && QDir::cleanPath(m_shownRoot) == QDir::cleanPath(root());
    const IssueList shownIssues = sameCard ? m_workspace.library().issues() : IssueList();
    // No drive poll while the scan lets events through: a card that disappears now is noticed
    // by the next poll after the scan, not halfway through building the tree of it.
    {
        const DrivePollingPause pause(m_drives);
        WaitDialog wait(this);
        m_scanning = true;
        wait.runScan(m_workspace.library(), root(), full ? kFullRefreshScan : kRefreshScan);
        m_scanning = false;
    }
    rebuildTree(select);
    if (reindexLyrics)
        m_workspace.lyrics()->rebuild(m_workspace.library());
    if (hasNewIssue(shownIssues, m_workspace.library().issues()))
        m_issueWindow->showIssues(m_workspace.library().issues());
}

void LibraryPanel::rebuildTree(const QString &select)
{
    // The expanded nodes and the current item are kept while the tree shows the same card.
    const LibraryTree::State kept = m_shownRoot == m_workspace.library().root() ? m_tree->state()
                                                                                : LibraryTree::State();
    m_actions->forgetSearchPosition();
    m_tree->build(libraryTreeNodes(m_workspace.library(), m_actions->sortMode()));
    m_shownRoot = m_workspace.library().root();
    m_tree->restoreState(kept, select);
    libraryChanged();
    m_workspace.markShown();
}

void LibraryPanel::libraryChanged()
{
    m_workspace.markChanged();
}

QString LibraryPanel::keyOfFile(const QString &path, bool slide)
{
    const QFileInfo file(path);
    return slide || file.suffix() == u"ekr"
        ? LibraryTree::keyFor(LibraryNodeKind::Slide, {}, file.completeBaseName())
        : LibraryTree::keyFor(LibraryNodeKind::Song, QFileInfo(file.absolutePath()).fileName(),
                              file.completeBaseName());
}

void LibraryPanel::showSavedFile(const QString &path, bool slide)
{
    // The lyric index took the song when it was written.
    refreshLibrary(false, keyOfFile(path, slide), false);
}

void LibraryPanel::updateStatus()
{
    const bool chosen = !root().isEmpty();
    const auto count = [](int n) { return QString::number(n > 9000 ? 0 : n); };
    const SongLibrary &library = m_workspace.library();
    emit statusChanged(chosen ? Lang::text(Txt::StatusDrive) + u' ' + root() : Lang::text(Txt::StatusNoDrive),
                       chosen ? count(library.songCount()) : QStringLiteral("0"),
                       chosen ? count(library.slideCount()) : QStringLiteral("0"), chosen);
    if (m_commands)
        m_commands->updateStates();
}

void LibraryPanel::openLyricHit(const LyricHit &hit)
{
    if (!QFileInfo(hit.path).isFile()) {
        m_workspace.lyrics()->songRemoved(hit.path);
        errorBox(this, Lang::text(Txt::SongLoadFailed) + u'\n' + QDir::toNativeSeparators(hit.path));
        return;
    }
    LyricIndexer *lyrics = m_workspace.lyrics();
    const bool current = lyrics->index().isCurrent(hit.path);
    if (!current)
        lyrics->songChanged(hit.path);
    // A file changed since it was read may no longer hold the hit: it opens at its start.
    if (current && hit.kind == LyricHitKind::Lyrics)
        m_workspace.openSongAt(hit.path, hit.stanza - 1, hit.screen - 1, hit.line - 1);
    else
        m_workspace.openSongAt(hit.path);
}
