// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/library/cardfolder.h"
#include "core/search/lyricindexer.h"
#include "core/library/namerepair.h"
#include "core/util/directorylisting.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/card/drivecombo.h"
#include "gui/card/udisks2driveprovider.h"
#include "gui/editor/songeditorpage.h"
#include "gui/library/issuewindow.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarytree.h"
#include "gui/library/lyricsearchfield.h"
#include "gui/playlist/playlistpage.h"
#include "gui/library/waitdialog.h"
#include "gui/library/treeicons.h"
#include "gui/main/mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

LibraryPanel::LibraryPanel(MainWindow *frame, std::shared_ptr<DriveProvider> removableDrives, QWidget *parent)
    : QWidget(parent), m_frame(frame)
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
    m_lyrics = new LyricIndexer(this);
    m_searchField = new LyricSearchField(m_lyrics, m_treeArea, m_tree, this);
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
    m_actions = new LibraryActions(this, m_frame);
    m_emptyState = createEmptyState();
    m_treeArea->addWidget(m_emptyState);
    connect(m_issueWindow, &IssueWindow::fileActivated, this, &LibraryPanel::selectIssueFile);
    connect(m_issueWindow, &IssueWindow::renameRequested, this, &LibraryPanel::renameIssueFile);
    connect(m_actions, &LibraryActions::fileDeleted, m_lyrics, &LyricIndexer::songRemoved);
    connect(m_actions, &LibraryActions::songMoved, m_lyrics, &LyricIndexer::songRenamed);
    if (m_frame) {
        // The editor first: its close guard asks before the playlist page's.
        m_editorPage = new SongEditorPage(this, m_frame, m_frame->pages());
        m_frame->pages()->addWidget(m_editorPage);
        connect(m_editorPage, &SongEditorPage::songWritten, this, &LibraryPanel::songWritten);
        m_playlistPage = new PlaylistPage(this, m_frame, m_frame->pages());
        m_frame->pages()->addWidget(m_playlistPage);
        m_frame->pages()->setCurrentWidget(m_playlistPage);
    }

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

LibraryPanel::~LibraryPanel()
{
    delete m_lyrics;
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
    m_library.setRoot(QString());
    m_library.scanLibrary(0); // a library without a root empties itself
    m_library.setRoot(m_root);
    m_tree->clearTree();
    m_shownRoot.clear();
    m_actions->forgetSearchPosition();
    m_lyrics->clear();
}

void LibraryPanel::renameIssueFile(const QByteArray &rawPath, const QString &newName)
{
    QString error;
    if (!NameRepair::rename(m_root, rawPath, newName, &error))
        errorBox(m_issueWindow, Lang::text(Txt::IssueRenameFailed).arg(escapedFileName(rawPath), error));
    refreshLibrary(false);
}

void LibraryPanel::selectIssueFile(int fileType, const QString &name)
{
    // Songs are named "group/file"; slides and playlists by the file alone.
    if (fileType & IssueFileType::Slide) {
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Slide, {}, name));
    } else if (fileType & IssueFileType::Playlist) {
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Playlist, {}, name));
    } else {
        const qsizetype slash = name.lastIndexOf(u'/');
        m_tree->restoreState({}, LibraryTree::keyFor(LibraryNodeKind::Song, name.left(std::max<qsizetype>(slash, 0)),
                                                     name.mid(slash + 1)));
    }
    m_tree->setFocus();
}

void LibraryPanel::setLibraryEnabled(bool on)
{
    m_tree->setEnabled(on);
    m_searchField->setEnabled(on);
    if (!on)
        m_searchField->leave();
    if (m_frame)
        m_frame->pages()->setEnabled(on);
}

LibraryItemInfo LibraryPanel::selectedItem() const
{
    return m_tree->itemInfo(m_tree->currentItem(), m_root);
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
    showEmptyState(m_root.isEmpty());
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
    m_actions->forgetSearchPosition();
    m_lyrics->clear();
    m_tree->clearTree();
    m_shownRoot.clear();
    setLibraryEnabled(false);
    showEmptyState(true);
    updateStatus();
}

// --- refresh, tree, status ---

void LibraryPanel::refreshLibrary(bool full, const QString &select, bool reindexLyrics)
{
    if (m_root.isEmpty())
        return;
    QString reason;
    const CardFolder::State folder = CardFolder::inspect(m_root, &reason);
    if (folder == CardFolder::State::NotADirectory || folder == CardFolder::State::Unreadable) {
        // Said aloud rather than shown as an empty card with zero counts.
        forgetLibrary();
        libraryChanged();
        errorBox(this, Lang::text(Txt::CannotRead).arg(QDir::toNativeSeparators(m_root), reason));
        return;
    }
    // No drive poll while the scan lets events through: a card that disappears now is noticed
    // by the next poll after the scan, not halfway through building the tree of it.
    {
        const DrivePollingPause pause(m_drives);
        WaitDialog wait(this);
        m_scanning = true;
        wait.runScan(m_library, m_root, full ? ScanFlags::kFullRefresh : ScanFlags::kRefresh);
        m_scanning = false;
    }
    rebuildTree(select);
    if (reindexLyrics)
        m_lyrics->rebuild(m_library);
    if (!m_library.issues().isEmpty())
        m_issueWindow->showIssues(m_library.issues());
}

void LibraryPanel::rebuildTree(const QString &select)
{
    // The expanded nodes and the current item are kept while the tree shows the same card.
    const LibraryTree::State kept = m_shownRoot == m_library.root() ? m_tree->state() : LibraryTree::State();
    m_actions->forgetSearchPosition();
    m_tree->build(libraryTreeNodes(m_library, m_actions->sortMode()));
    m_shownRoot = m_library.root();
    m_tree->restoreState(kept, select);
    libraryChanged();
    emit treeRebuilt();
}

void LibraryPanel::libraryChanged()
{
    updateStatus();
    m_tree->setEmptyHint(m_library.songCount() == 0 ? Lang::text(Txt::EmptyLibraryHint) : QString());
    m_issueWindow->fill(m_library.issues());
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
    }
    m_actions->updateCommandStates();
}

void LibraryPanel::openLyricHit(const LyricHit &hit)
{
    if (!QFileInfo(hit.path).isFile()) {
        m_lyrics->songRemoved(hit.path);
        errorBox(this, Lang::text(Txt::SongLoadFailed) + u'\n' + QDir::toNativeSeparators(hit.path));
        return;
    }
    const bool current = m_lyrics->index().isCurrent(hit.path);
    if (!current)
        m_lyrics->songChanged(hit.path);
    if (!m_editorPage)
        return;
    if (auto *stack = qobject_cast<QStackedWidget *>(m_editorPage->parentWidget()))
        stack->setCurrentWidget(m_editorPage);
    // A file changed since it was read may no longer hold the hit: it opens at its start.
    if (current && hit.kind == LyricHitKind::Lyrics)
        m_editorPage->openSongAt(hit.path, hit.stanza - 1, hit.screen - 1, hit.line - 1);
    else
        m_editorPage->openSong(hit.path);
}

void LibraryPanel::songWritten(const QString &previousPath, const Song &song)
{
    if (!previousPath.isEmpty() && previousPath != song.path() && !QFileInfo::exists(previousPath))
        m_lyrics->songRemoved(previousPath);
    m_lyrics->songSaved(song);
}
