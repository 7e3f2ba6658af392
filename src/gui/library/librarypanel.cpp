// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/librarypanel.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/card/drivecombo.h"
#include "gui/library/issuewindow.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarytree.h"
#include "gui/library/playlistpage.h"
#include "gui/library/waitdialog.h"
#include "gui/library/treeicons.h"
#include "gui/main/mainwindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

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
    m_actions = new LibraryActions(this, m_frame);
    if (m_frame) {
        m_playlistPage = new PlaylistPage(this, m_frame, m_frame->pages());
        m_frame->pages()->addWidget(m_playlistPage);
        m_frame->pages()->setCurrentWidget(m_playlistPage);
    }

    connect(m_drives, &DriveCombo::cardInserted, this, &LibraryPanel::cardInserted);
    connect(m_drives, &DriveCombo::cardRemoved, this, &LibraryPanel::cardRemoved);
    connect(m_drives, &DriveCombo::driveChanged, this, &LibraryPanel::driveChosen);

    if (AppCore *core = AppCore::instance()) {
        for (const QString &folder : core->cardFolders()) {
            if (!addCardFolder(folder))
                errorBox(this, Lang::text(Txt::FolderNotACard) + u' ' + folder);
        }
    }
    setLibraryEnabled(false);
    updateStatus();
    QMetaObject::invokeMethod(this, &LibraryPanel::initialUpdate, Qt::QueuedConnection);
}

LibraryPanel::~LibraryPanel() = default;

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
    m_tree->clearTree();
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
    m_actions->forgetSearchPosition();
    m_tree->build(libraryTreeNodes(m_library, m_actions->sortMode()));
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
    }
    m_actions->updateCommandStates();
}
