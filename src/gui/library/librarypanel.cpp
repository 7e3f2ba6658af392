// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/library/cardfolder.h"
#include "core/library/issuerows.h"
#include "core/library/libraryfiles.h"
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
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
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
    if (AppCore *core = AppCore::instance())
        m_drives->setComputerLibrary(core->settings().lyricsDir());
    m_tree = new LibraryTree(this);
    m_tree->setAccessibleName(title->text());
    m_treeArea = new QStackedWidget(this);
    m_treeArea->addWidget(m_tree);
    m_searchField = new LyricSearchField(m_workspace.lyrics(), m_treeArea, m_tree, this);
    connect(m_searchField, &LyricSearchField::hitActivated, this, &LibraryPanel::openLyricHit);
    setTabOrder(m_drives, m_searchField); // as they stand: the search above the tree
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
    m_actions = new LibraryActions(this, m_workspace, m_tree, *this, commands);
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
        const LibrarySource shown = m_workspace.shownLibrary();
        m_tree->setRootText(shown.kind == LibrarySource::Kind::Card ? Lang::text(Txt::TreeRoot)
                                                                    : LibrarySources::itemText(shown));
        const bool empty = m_workspace.library().songCount() == 0;
        m_tree->setEmptyHint(empty ? emptyHint() : QString());
        // A new user's computer library without a group yet: the first-start page shows the ways
        // to songs (import, a folder card, the demo card) instead of a bare tree.
        if (m_drives->listsLibraries() && !root().isEmpty())
            showEmptyState(empty && m_workspace.shownLibrary().kind == LibrarySource::Kind::Computer
                           && m_workspace.library().groups().isEmpty());
        m_issueWindow->fill(m_workspace.issues());
    });

    connect(m_drives, &DriveCombo::cardInserted, this, &LibraryPanel::cardInserted);
    connect(m_drives, &DriveCombo::cardRemoved, this, &LibraryPanel::cardRemoved);
    connect(m_drives, &DriveCombo::driveChanged, this, &LibraryPanel::driveChosen);
    connect(m_drives, &DriveCombo::chosenLibraryGone, this, &LibraryPanel::reportGone);
    connect(m_drives, &DriveCombo::librariesChanged, this, [this] { m_workspace.setLibraries(m_drives->libraries()); });
    connect(&m_workspace, &Workspace::filesShowRequested, this, &LibraryPanel::showImported);
    m_computerCheck = new QTimer(this);
    m_computerCheck->setInterval(DriveCombo::kPollMs);
    connect(m_computerCheck, &QTimer::timeout, this, &LibraryPanel::checkComputerLibrary);

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
    // Without a card the computer's library is shown.
    if (m_drives->listsLibraries() && root().isEmpty())
        showChosen(false);
    m_drives->enablePolling(true);
    if (m_drives->listsLibraries())
        m_computerCheck->start();
    m_startingUp = false;
}

QString LibraryPanel::computerRoot() const
{
    return m_drives->computerRoot();
}

void LibraryPanel::setComputerRoot(const QString &root)
{
    const bool shown = m_workspace.shownLibrary().kind == LibrarySource::Kind::Computer && !this->root().isEmpty();
    m_drives->setComputerLibrary(root);
    m_drives->refreshDrives();
    if (shown)
        showLibrary(m_drives->computerRoot());
}

void LibraryPanel::setOpenProject(const OpenProject &project, bool shown)
{
    m_workspace.rememberProject(project.rootPath);
    if (project.rootPath.isEmpty() && m_workspace.shownLibrary().kind == LibrarySource::Kind::Project) {
        // Before the entry goes the tree turns back to the card shown before, else the computer's library.
        const bool cardListed = LibrarySources::indexOfRoot(m_drives->libraries(), m_lastCardRoot) >= 0;
        showLibrary(cardListed ? m_lastCardRoot : computerRoot());
    }
    m_drives->setOpenProject(project);
    m_drives->refreshDrives();
    if (shown && !project.rootPath.isEmpty())
        showLibrary(project.rootPath);
}

OpenProject LibraryPanel::openProject() const
{
    return m_drives->openProject();
}

bool LibraryPanel::showLibrary(const QString &root)
{
    const bool wasShown = LibrarySources::indexOfRoot({m_workspace.shownLibrary()}, root) == 0;
    // Turned to by the program, not by the user: a card is read without the question.
    const QScopedValueRollback quiet(m_quietSwitch, true);
    if (!m_drives->chooseRoot(root))
        return false;
    if (wasShown) {
        // The same folder again (a project opened anew, a library restored into): read it again.
        m_workspace.setShownLibrary(m_drives->currentLibrary());
        refreshLibrary(false);
        updateStatus();
    } else {
        driveChosen();
    }
    return true;
}

void LibraryPanel::showRestoredProject(const QString &projectRoot, const QString &cardLabel)
{
    setOpenProject({projectRoot, cardLabel, true}, true);
}

void LibraryPanel::showRestoredLibrary(const QString &rootPath)
{
    showLibrary(rootPath);
}

void LibraryPanel::showImported(const QString &root, const QStringList &files, bool reindexLyrics)
{
    const bool shown = LibrarySources::indexOfRoot({m_workspace.shownLibrary()}, root) == 0;
    if (!shown && !showLibrary(root))
        return;
    // The keys once the files' library is the one shown.
    QStringList keys;
    for (const QString &file : files)
        keys << keyOfFile(file, false);
    if (shown)
        refreshLibrary(false, keys.value(0), reindexLyrics);
    else
        m_tree->restoreState(m_tree->state(), keys.value(0));
    // The others join the selection as Ctrl+clicks would add them.
    const QStringList others = keys.mid(1);
    for (QTreeWidgetItem *item = m_tree->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
        if (!others.contains(LibraryTree::keyOf(item)))
            continue;
        for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
            parent->setExpanded(true);
        m_tree->clickItem(item, Qt::ControlModifier);
    }
    // The first file stays the current one.
    if (QTreeWidgetItem *first = m_tree->currentItem(); first && !others.isEmpty()) {
        for (QTreeWidgetItem *item = m_tree->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
            if (LibraryTree::keyOf(item) == keys.first()) {
                m_tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
                m_tree->scrollToItem(item);
                break;
            }
        }
    }
    m_tree->setFocus();
}

bool LibraryPanel::addCardFolder(const QString &path)
{
    return m_folders->addFolder(path);
}

bool LibraryPanel::offerCardFolder(const QString &path)
{
    QString reason;
    const QString shown = QDir::toNativeSeparators(path);
    // A library inside another would be copied into itself by a write from one to the other.
    for (const LibrarySource &library : m_drives->libraries()) {
        if (library.kind != LibrarySource::Kind::Card && LibrarySources::nested(path, library.rootPath)) {
            errorBox(this,
                     Lang::text(Txt::LibraryNested)
                         .arg(shown, LibrarySources::itemText(library), QDir::toNativeSeparators(library.rootPath)));
            return false;
        }
    }
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
    m_emptyStateText = text;
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
    if (on && m_drives->listsLibraries() && !root().isEmpty())
        m_emptyStateText->setText(emptyHint());
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
    m_workspace.setShownLibrary(m_drives->currentLibrary());
    m_lastCardRoot = root();
    showEmptyState(root().isEmpty());
    updateStatus();
    if (!m_handlingInsert) {
        m_handlingInsert = true;
        if (m_startingUp || m_quietSwitch) {
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
    const LibrarySource chosen = m_drives->currentLibrary();
    if (chosen.rootPath == root() && chosen == m_workspace.shownLibrary())
        return;
    if (chosen.kind == LibrarySource::Kind::Card)
        cardInserted();
    else
        showChosen(!m_drives->listsLibraries() || !m_goneShown);
}

void LibraryPanel::showChosen(bool resetPlaylist)
{
    m_workspace.setShownLibrary(m_drives->currentLibrary());
    if (m_workspace.shownLibrary().kind == LibrarySource::Kind::Computer)
        ensureComputerLibrary();
    refreshLibrary(false);
    if (resetPlaylist)
        m_actions->newPlaylist();
    if (m_drives->listsLibraries() && !m_startingUp)
        m_computerCheck->start();
    setLibraryEnabled(!root().isEmpty());
    updateStatus();
}

bool LibraryPanel::ensureComputerLibrary()
{
    const QString computer = computerRoot();
    if (computer.isEmpty())
        return false;
    if (QFileInfo(computer).isDir())
        return true;
    if (!QDir().mkpath(computer))
        return false;
    LibraryFiles::initialiseCard(computer);
    return true;
}

void LibraryPanel::checkComputerLibrary()
{
    if (m_scanning || m_workspace.shownLibrary().kind != LibrarySource::Kind::Computer || root().isEmpty()
        || QFileInfo(root()).isDir())
        return;
    m_computerCheck->stop();
    const QString folder = QDir::toNativeSeparators(root());
    if (!ensureComputerLibrary()) {
        // Said once; the check resumes when a library is chosen again.
        forgetLibrary();
        libraryChanged();
        errorBox(this, Lang::text(Txt::UnpackFolderNotMade).arg(folder));
        return;
    }
    refreshLibrary(false);
    infoBox(this, Lang::text(Txt::ComputerLibraryRecreated).arg(Lang::text(Txt::ComputerLibrary), folder));
    m_computerCheck->start();
}

void LibraryPanel::reportGone(const LibrarySource &gone)
{
    if (gone.kind != LibrarySource::Kind::Card)
        return;
    const LibrarySource now = m_drives->currentLibrary();
    const QString text = Lang::text(Txt::ShownLibraryGone)
                             .arg(LibrarySources::itemText(gone), LibrarySources::itemText(now),
                                  QDir::toNativeSeparators(now.rootPath));
    // Said once the list has turned to the computer's library and the tree shows it.
    m_goneShown = true;
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            m_goneShown = false;
            const DrivePollingPause pause(m_drives);
            infoBox(this, text);
        },
        Qt::QueuedConnection);
}

void LibraryPanel::cardRemoved()
{
    if (m_drives->listsLibraries()) {
        // The list has turned to the computer's library when the card shown went.
        driveChosen();
        return;
    }
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
    if (m_workspace.shownLibrary().kind == LibrarySource::Kind::Computer && !QFileInfo(root()).isDir()) {
        checkComputerLibrary();
        return;
    }
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

QString LibraryPanel::keyOfFile(const QString &path, bool slide) const
{
    // A file of another library has no node here, however alike its group and name.
    if (!m_workspace.holds(path))
        return {};
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

QString LibraryPanel::emptyHint() const
{
    const LibrarySource shown = m_workspace.shownLibrary();
    if (shown.kind == LibrarySource::Kind::Card)
        return Lang::text(Txt::EmptyLibraryHint);
    // Names the entry and what fills it.
    return Lang::text(Txt::LibraryEmptyHint).arg(LibrarySources::itemText(shown));
}

void LibraryPanel::updateStatus()
{
    const bool chosen = !root().isEmpty();
    const auto count = [](int n) { return QString::number(n > 9000 ? 0 : n); };
    const SongLibrary &library = m_workspace.library();
    const LibrarySource shown = m_workspace.shownLibrary();
    const QString where = shown.kind == LibrarySource::Kind::Card
        ? QString(Lang::text(Txt::StatusDrive) + u' ' + root())
        : QString(LibrarySources::itemText(shown) + u": "_qs + QDir::toNativeSeparators(root()));
    emit statusChanged(chosen ? where : Lang::text(Txt::StatusNoDrive),
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
