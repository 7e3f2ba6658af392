// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/projectactions.h"

#include "core/app/appcore.h"
#include "core/app/cardmessages.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "gui/app/statusmessage.h"
#include "gui/widgets/drivecombo.h"
#include "gui/editor/songeditorpage.h"
#include "gui/library/libraryactions.h"
#include "gui/library/librarypanel.h"
#include "gui/playlist/playlistpage.h"
#include "gui/library/waitdialog.h"
#include "gui/main/mainwindow.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kStartRetryMs = 50;

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString caption(int textId)
{
    return Lang::text(textId).remove(u'&');
}

// Why an open failed, with the file it concerns.
QString openFailureText(const CardUnpackResult &result, const QString &path)
{
    QString reason;
    switch (result.status) {
    case CardUnpackStatus::OpenFailed:
        reason = Lang::text(Txt::CardDataReadFailed);
        if (!result.error.isEmpty())
            reason += u' ' + result.error;
        break;
    case CardUnpackStatus::Stopped:
        reason = Lang::text(Txt::ProjectOpenStopped);
        break;
    default:
        reason = cardUnpackText(result);
        break;
    }
    return reason + u'\n' + shownPath(path);
}

} // namespace

ProjectActions::ProjectActions(MainWindow *frame) : QObject(frame), m_frame(frame), m_panel(frame->libraryPanel())
{
    const auto wire = [this](Command command, auto slot) {
        if (QAction *action = m_frame->action(command))
            connect(action, &QAction::triggered, this, slot);
    };
    wire(Command::New, &ProjectActions::newProject);
    wire(Command::Open, &ProjectActions::openWithDialog);
    wire(Command::RestoreCardData, &ProjectActions::openWithDialog);
    wire(Command::CloseProject, &ProjectActions::closeProject);
    wire(Command::Save, [this] { saveProject(true); });
    wire(Command::SaveCardData, [this] { saveProject(false); });

    // Save needs a card: the states follow the panel's card.
    DriveCombo *drives = m_panel->driveList();
    connect(drives, &DriveCombo::cardInserted, this, &ProjectActions::updateStates);
    connect(drives, &DriveCombo::cardRemoved, this, &ProjectActions::updateStates);
    connect(drives, &DriveCombo::driveChanged, this, &ProjectActions::updateStates);
    connect(&m_frame->workspace(), &Workspace::libraryShown, this, &ProjectActions::updateStates);

    m_frame->addCloseGuard([this] { return mayDiscardChanges(m_frame, m_panel->workspace(), m_panel->openProject()); });
    m_frame->setAcceptDrops(true);
    m_frame->installEventFilter(this);

    m_recentSeparator = m_frame->fileMenu()->insertSeparator(m_frame->action(Command::Exit));
    rebuildRecentMenu();
    showOpenState();
    QMetaObject::invokeMethod(this, &ProjectActions::start, Qt::QueuedConnection);
}

void ProjectActions::start()
{
    if (m_started)
        return;
    m_panel->initialUpdate();
    if (m_panel->isStartingUp()) {
        // The first poll is still reading a card, and this runs in its wait dialog's event loop:
        // the command line's file comes after it.
        QTimer::singleShot(kStartRetryMs, this, &ProjectActions::start);
        return;
    }
    m_started = true;
    AppCore *core = AppCore::instance();
    if (core && !core->commandLineFile().isEmpty())
        openProject(core->commandLineFile());
}

void ProjectActions::showOpenState()
{
    m_open = true;
    m_frame->applyMenuTexts();
    m_frame->showProjectButtons(true);
    m_frame->pages()->show();
    updateStates();
}

void ProjectActions::updateStates()
{
    const bool card = !m_panel->root().isEmpty();
    const struct
    {
        Command command;
        bool enabled;
    } kStates[] = {
        {Command::New, true},
        {Command::Open, true},
        {Command::CloseProject, m_open},
        {Command::RestoreCardData, m_open},
        {Command::Save, m_open && card},
        {Command::SaveCardData, m_open && card},
    };
    for (const auto &state : kStates) {
        if (QAction *action = m_frame->action(state.command))
            action->setEnabled(state.enabled);
    }
}

// --- open ---

bool ProjectActions::openProject(const QString &path)
{
    AppCore *core = AppCore::instance();
    if (!core || path.isEmpty())
        return false;
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!mayDiscardChanges(m_frame, m_panel->workspace(), m_panel->openProject()))
        return false;
    CardUnpackResult result;
    {
        const DrivePollingPause pause(m_panel->driveList());
        WaitDialog wait(m_frame);
        wait.runUnpack(file, core->dirs().projectDir(), result);
    }
    if (!result.ok()) {
        // The image is empty again, or (not a card data file) as it was: no wizard.
        errorBox(m_frame, openFailureText(result, file));
        return false;
    }
    showLeftOut(result.notWritten);
    remember(file);
    showOpenState();
    // The project is a library of the list: the tree shows it, and it stays for browsing when the
    // wizard that offers to take it to a card is cancelled.
    const QString projectRoot = core->dirs().projectDir();
    m_panel->setOpenProject({projectRoot, QFileInfo(file).fileName(), false}, true);
    m_frame->openCardWizard(projectRoot);
    return true;
}

void ProjectActions::openWithDialog()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    // Card data files to restore are most often the backups the card wizard made before a write.
    const QString backups = core->dirs().backupDir();
    const bool haveBackups = !QDir(backups).entryList({QStringLiteral("*.lvp")}, QDir::Files).isEmpty();
    const QString start = haveBackups ? backups : core->settings().lastDir();
    const QString path = chooseOpenFile(m_frame, start, caption(Txt::MenuRestoreCardData),
                                        Lang::text(Txt::ProjectFilter));
    if (path.isEmpty())
        return;
    core->settings().setLastDir(QFileInfo(path).absolutePath());
    core->saveSettings();
    openProject(path);
}

void ProjectActions::openRecent(const QString &path)
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    if (!QFileInfo::exists(path)) {
        errorBox(m_frame, Lang::text(Txt::CardDataReadFailed) + u'\n' + shownPath(path));
        core->recentFiles().remove(path);
        core->recentFiles().save(core->store());
        rebuildRecentMenu();
        return;
    }
    openProject(path);
}

QString ProjectActions::droppedProject(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return path.endsWith(u".lvp") ? path : QString();
}

bool ProjectActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_frame)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedProject(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = droppedProject(drop->mimeData());
        if (path.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // Opened once the drag has ended: the wait dialog and the wizard are modal.
        QMetaObject::invokeMethod(
            this, [this, path] { openProject(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

bool ProjectActions::mayDiscardChanges(QWidget *owner, const Workspace &workspace, const OpenProject &project)
{
    if (!workspace.projectChanged())
        return true;
    const LibrarySource entry{LibrarySource::Kind::Project, project.name, project.rootPath, false, project.fromCard};
    const QString question =
        Lang::text(Txt::ProjectChangesUnsaved).arg(LibrarySources::itemText(entry), caption(Txt::MenuSaveCardData));
    return questionBox(owner, question, {}, QMessageBox::No) == QMessageBox::Yes;
}

// --- save ---

void ProjectActions::saveProject(bool proposeDocumentFile)
{
    AppCore *core = AppCore::instance();
    const QString root = m_panel->root();
    if (!core || !m_open || root.isEmpty())
        return;
    const QString start = proposeDocumentFile && !m_documentFile.isEmpty() ? m_documentFile
                                                                           : core->settings().lastDir();
    const QString chosen = chooseSaveFile(m_frame, start, caption(Txt::MenuSaveCardData),
                                          Lang::text(Txt::ProjectFilter));
    if (chosen.isEmpty())
        return;
    const QString file = QFileInfo(chosen).absoluteFilePath();
    const QFileInfo target(file);
    if (target.exists() || target.isSymLink()) {
        if (questionBox(m_frame, Lang::text(Txt::ProjectReplaceQuestion).arg(shownPath(file)), {}, QMessageBox::No)
            != QMessageBox::Yes)
            return;
    }
    CardPackResult result;
    {
        const DrivePollingPause pause(m_panel->driveList());
        WaitDialog wait(m_frame);
        wait.runPack(file, root, result);
    }
    if (!result.ok) {
        const QString reason = result.stopped ? Lang::text(Txt::ProjectSaveStopped) : result.error;
        errorBox(m_frame, Lang::text(Txt::ProjectSaveFailed).arg(shownPath(file), reason));
        return;
    }
    showLeftOut(result.skipped);
    // What the project holds now is in a file.
    Workspace &workspace = m_panel->workspace();
    if (QDir::cleanPath(root) == QDir::cleanPath(workspace.projectRoot()))
        workspace.rememberProject(workspace.projectRoot());
    StatusMessage::showSaved(m_frame, file);
    core->settings().setLastDir(target.absolutePath());
    core->saveSettings();
    remember(file);
}

// --- new and close ---

void ProjectActions::newProject()
{
    if (m_open && !closeProject())
        return;
    m_documentFile.clear();
    showOpenState();
}

bool ProjectActions::closeProject()
{
    if (!m_open)
        return true;
    if (!mayDiscardChanges(m_frame, m_panel->workspace(), m_panel->openProject()))
        return false;
    SongEditorPage *editor = m_frame->editorPage();
    PlaylistPage *playlist = m_frame->playlistPage();
    if (editor && !editor->offerSave(Txt::CloseQuestion, Txt::QuestionCaption))
        return false;
    if (playlist && !playlist->mayDiscard())
        return false;
    // Answered No: the edits go with the project.
    if (editor)
        editor->startNewSong();
    if (playlist)
        playlist->startNewPlaylist();
    m_open = false;
    m_frame->showProjectButtons(false);
    m_frame->pages()->hide();
    m_documentFile.clear();
    if (AppCore *core = AppCore::instance())
        core->setCommandLineFile({});
    // The project leaves the list; the tree turns to the card shown before when it showed the project.
    const bool shown = m_panel->workspace().shownLibrary().kind == LibrarySource::Kind::Project;
    m_panel->setOpenProject({}, false);
    if (!shown)
        m_panel->refreshLibrary(false);
    updateStates();
    return true;
}

// --- recent files ---

void ProjectActions::remember(const QString &path)
{
    m_documentFile = path;
    if (AppCore *core = AppCore::instance()) {
        core->recentFiles().add(path);
        core->recentFiles().save(core->store());
    }
    rebuildRecentMenu();
}

void ProjectActions::rebuildRecentMenu()
{
    // An entry may be rebuilding the list from its own triggered signal: it goes later.
    for (QAction *action : std::as_const(m_recentActions)) {
        m_frame->fileMenu()->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    AppCore *core = AppCore::instance();
    const QStringList files = core ? core->recentFiles().files() : QStringList();
    QMenu *menu = m_frame->fileMenu();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        const QString name = QFileInfo(path).fileName().replace(u'&', u"&&"_qs);
        auto *action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), this);
        action->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        action->setStatusTip(shownPath(path));
        action->setToolTip(shownPath(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
        menu->insertAction(m_recentSeparator, action);
        m_recentActions << action;
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void ProjectActions::showLeftOut(const CardFindings &findings)
{
    if (findings.isEmpty())
        return;
    QStringList lines{Lang::text(Txt::ProjectFilesLeftOut)};
    for (const CardFinding &finding : findings)
        lines << cardFindingText(finding);
    infoBox(m_frame, lines.join(u'\n'));
}
