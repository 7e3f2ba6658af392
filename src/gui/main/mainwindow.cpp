// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/mainwindow.h"

#include "core/app/appcore.h"
#include "core/app/guidepages.h"
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/font/fontexport.h"
#include "core/model/languages.h"
#include "gui/app/guidehelp.h"
#include "gui/app/messageboxes.h"
#include "gui/main/projectactions.h"
#include "gui/card/cardwizard.h"
#include "gui/editor/characterpalette.h"
#include "gui/editor/songeditorpage.h"
#include "gui/font/fonteditor.h"
#include "gui/font/fontfiles.h"
#include "gui/library/librarypanel.h"
#include "gui/main/aboutdialog.h"
#include "gui/main/settingsdialog.h"
#include "gui/main/shortcutsdialog.h"
#include "gui/music/musictiming.h"
#include "gui/playlist/playlistpage.h"
#include "gui/report/reportdialog.h"
#include "gui/widgets/drivecombo.h"
#include "gui/widgets/lineicon.h"
#include "gui/widgets/treeicons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

MainWindow::MainWindow(UiSeams seams, QWidget *parent)
    : QMainWindow(parent), m_seams(&installSeams(this, std::move(seams))),
      m_reportFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    setWindowTitle(QStringLiteral("Lumivox[*]")); // "*" while the open song has unsaved changes
    setObjectName(QStringLiteral("MainWindow"));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(QSize(kMinWidth, kStartHeight).boundedTo(screen()->availableGeometry().size()));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    m_panelSlot = new QWidget(m_splitter);
    m_panelSlot->setMinimumWidth(260);
    m_pages = new QStackedWidget(m_splitter);
    m_pages->setObjectName(QStringLiteral("pageStack"));
    m_pages->setFrameShape(QFrame::StyledPanel);
    // Neither side folds away; the page side keeps at least 20 pixels.
    m_splitter->setChildrenCollapsible(false);
    m_pages->setMinimumWidth(kMinPageWidth);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({320, 900});
    setCentralWidget(m_splitter);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    applyMenuTexts();
    showProjectButtons(false);
    // Created once, hidden; the song editor shows it and gives it its matrix.
    m_characterPalette = new CharacterPalette(this);
}

MainWindow::~MainWindow()
{
    // The panel and the pages go before the workspace they hold.
    delete m_splitter;
}

void MainWindow::compose(std::shared_ptr<DriveProvider> removableDrives)
{
    if (m_workspace)
        return;
    m_workspace = std::make_unique<Workspace>();
    m_panel = new LibraryPanel(*m_workspace, &m_commands, std::move(removableDrives));
    setLibraryPanel(m_panel);
    connect(m_panel, &LibraryPanel::statusChanged, this,
            [this](const QString &drive, const QString &songs, const QString &slides, bool chosen) {
                setStatusPane(0, drive);
                setStatusIcon(TreeIcons::statusIcon(chosen));
                setStatusPane(1, songs);
                setStatusPane(2, slides);
            });
    connect(m_panel, &LibraryPanel::libraryEnabledChanged, m_pages, &QWidget::setEnabled);
    // The panel starts without a card: the pages wait for one.
    m_pages->setEnabled(false);

    // The editor first: its close guard asks before the playlist page's.
    m_editorPage = new SongEditorPage(*m_workspace, &m_commands, m_characterPalette, m_pages);
    m_pages->addWidget(m_editorPage);
    m_editorPage->setMusicTiming(&openMusicTiming);
    connect(m_editorPage, &SongEditorPage::modifiedChanged, this, &MainWindow::updateTitle);
    connect(m_editorPage, &SongEditorPage::documentChanged, this, &MainWindow::updateTitle);
    connect(this, &MainWindow::matrixSizeChanged, m_editorPage, &SongEditorPage::setBoardSize);
    addCloseGuard([page = m_editorPage] { return page->offerSave(Txt::CloseQuestion, Txt::CloseQuestionCaption); });
    m_playlistPage = new PlaylistPage(*m_workspace, &m_commands, m_pages);
    m_pages->addWidget(m_playlistPage);
    connect(this, &MainWindow::matrixSizeChanged, m_playlistPage, &PlaylistPage::setBoardSize);
    addCloseGuard([page = m_playlistPage] { return page->mayDiscard(); });
    connect(m_playlistPage, &PlaylistPage::documentChanged, this, &MainWindow::updateTitle);
    connect(m_pages, &QStackedWidget::currentChanged, this, &MainWindow::updateTitle);
    m_pages->setCurrentWidget(m_playlistPage);
    m_commands.handle(Command::CardWizard, this, [this] { openCardWizard(); });
    // Ctrl+S saves what the page in front shows; Ctrl+Shift+S the editor's screen as a slide.
    const auto inFront = [this](QWidget *page) { return m_pages->currentWidget() == page; };
    m_commands.handle(
        Command::SaveItem, this,
        [this, inFront] { inFront(m_editorPage) ? void(m_editorPage->save()) : void(m_playlistPage->save()); },
        [this] { return m_workspace->hasCard(); });
    m_commands.handle(
        Command::SaveSlide, this, [this] { m_editorPage->saveAsSlide(); },
        [this, inFront] { return m_workspace->hasCard() && inFront(m_editorPage); });
    connect(m_pages, &QStackedWidget::currentChanged, &m_commands, &CommandRegistry::updateStates);
    m_commands.handle(Command::GenerateReport, this, &MainWindow::generateReport,
                      [this] { return m_workspace->hasCard(); });
    m_panel->updateStatus();
}

void MainWindow::updateTitle()
{
    // The song or playlist of the page in front, "*" after its name while it has unsaved changes.
    QString name;
    bool modified = false;
    if (m_editorPage && m_pages->currentWidget() == m_editorPage) {
        name = m_editorPage->documentName();
        modified = m_editorPage->isModified();
    } else if (m_playlistPage && m_pages->currentWidget() == m_playlistPage) {
        name = m_playlistPage->playlist().name();
        modified = m_playlistPage->isModified();
    }
    setWindowTitle(name.isEmpty() ? u"Lumivox[*]"_qs : name + u"[*] \u2013 Lumivox"_qs);
    setWindowModified(modified);
}

QAction *MainWindow::addCommand(QMenu *menu, const CommandRegistry::Entry &entry, bool enabled)
{
    QAction *action = m_commands.add(entry);
    action->setEnabled(enabled);
    menu->addAction(action);
    return action;
}

void MainWindow::buildMenus()
{
    auto addMenu = [this](int textId) {
        QMenu *menu = menuBar()->addMenu(QString());
        m_menuTexts.append({menu, textId});
        return menu;
    };

    QMenu *file = addMenu(Txt::MenuFile);
    m_fileMenu = file;
    addCommand(file, {Command::New, Txt::MenuNew}, false);
    addCommand(file, {Command::Open, Txt::MenuOpen, QKeySequence::keyBindings(QKeySequence::Open), {}, true}, false);
    addCommand(file, {Command::CloseProject, Txt::MenuCloseProject}, false);
    addCommand(file, {Command::Save, Txt::MenuSave, {}, {}, true}, false);
    file->addSeparator();
    addCommand(file, {Command::SaveCardData, Txt::MenuSaveCardData, {}, {}, true}, false);
    addCommand(file, {Command::RestoreCardData, Txt::MenuRestoreCardData, {}, {}, true}, false);
    file->addSeparator();
    addCommand(file, {Command::NewSong, Txt::MenuNewSong, QKeySequence::keyBindings(QKeySequence::New)}, false);
    addCommand(file, {Command::SaveItem, Txt::SaveSongTip, QKeySequence::keyBindings(QKeySequence::Save)}, false);
    addCommand(file,
               {Command::SaveSlide, Txt::SaveSlideTip, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, {}, true},
               false);
    addCommand(file, {Command::CloseSong, Txt::MenuCloseSong, {QKeySequence(Qt::CTRL | Qt::Key_W)}}, false);
    addCommand(file, {Command::NewPlaylist, Txt::MenuNewPlaylist}, false);
    addCommand(file, {Command::InitialiseCard, Txt::MenuInitialiseCard}, false);
    addCommand(file, {Command::OpenFolderAsCard, Txt::MenuOpenFolderAsCard, {}, {}, true}, false);
    addCommand(file, {Command::ImportLyricFiles, Txt::LyricImportMenu, {}, {}, true}, false);
    file->addSeparator();
    QAction *exit = addCommand(file, {Command::Exit, Txt::MenuExit, QKeySequence::keyBindings(QKeySequence::Quit)},
                               true);
    exit->setMenuRole(QAction::QuitRole);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *edit = addMenu(Txt::MenuEdit);
    addCommand(edit, {Command::Undo, Txt::MenuUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}}, false);
    addCommand(edit,
               {Command::Redo,
                Txt::MenuRedo,
                {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}},
               false);

    QMenu *view = addMenu(Txt::MenuView);
    addCommand(view, {Command::TextEditor, Txt::MenuTextEditor}, false);
    addCommand(view, {Command::MenuPage, Txt::MenuMenuPage}, false);
    addCommand(view, {Command::IssueWindow, Txt::MenuIssueWindow}, false);
    view->addSeparator();
    QAction *toolBarToggle = addCommand(view, {Command::ToolBar, Txt::MenuToolBar}, true);
    toolBarToggle->setCheckable(true);
    toolBarToggle->setChecked(true);
    QAction *statusToggle = addCommand(view, {Command::StatusBar, Txt::MenuStatusBar}, true);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    QMenu *tools = addMenu(Txt::MenuTools);
    QAction *fontEditor = addCommand(tools, {Command::FontEditor, Txt::MenuFontEditor, {}, {}, true}, true);
    connect(fontEditor, &QAction::triggered, this, &MainWindow::openFontEditor);
    QAction *exportFonts = addCommand(tools, {Command::ExportFonts, Txt::MenuExportFonts, {}, {}, true}, true);
    connect(exportFonts, &QAction::triggered, this, &MainWindow::exportFonts);
    addCommand(tools, {Command::CardWizard, Txt::CardWizardTitle, {}, {}, true}, true);
    addCommand(tools, {Command::FindSong, Txt::MenuFindSong, QKeySequence::keyBindings(QKeySequence::Find), {}, true},
               false);
    addCommand(
        tools,
        {Command::GenerateReport, Txt::MenuGenerateReport, QKeySequence::keyBindings(QKeySequence::Print), {}, true},
        false);
    addCommand(tools, {Command::GroupColours, Txt::GroupColourTitle, {}, {}, true}, false);
    addCommand(tools, {Command::RefreshFileList, Txt::MenuRefreshFileList, {QKeySequence(Qt::Key_F5)}}, false);
    tools->addSeparator();
    QAction *settings = addCommand(tools, {Command::ProgramSettings, Txt::MenuProgramSettings, {}, {}, true}, true);
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, &MainWindow::openProgramSettings);

    QMenu *help = addMenu(Txt::MenuHelp);
    QAction *guide = addCommand(
        help, {Command::Guide, Txt::MenuGuide, QKeySequence::keyBindings(QKeySequence::HelpContents)}, true);
    connect(guide, &QAction::triggered, this, [this] { GuideHelp::open(this, QString::fromUtf16(Guide::kContents)); });
    QAction *shortcuts = addCommand(help, {Command::Shortcuts, Txt::MenuShortcuts, {}, {}, true}, true);
    connect(shortcuts, &QAction::triggered, this, [this] { ShortcutsDialog(m_commands, this).exec(); });
    QAction *about = addCommand(help, {Command::About, Txt::MenuAbout}, true);
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainWindow::openAbout);
}

void MainWindow::buildToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("toolbar"));
    m_toolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    QStyle *s = style();
    const struct
    {
        Command command;
        QStyle::StandardPixmap icon;
        bool lines; // a dark stroke that needs the window text colour on a dark window
    } kButtons[] = {
        {Command::New, QStyle::SP_FileIcon, false},
        {Command::Open, QStyle::SP_DialogOpenButton, false},
        {Command::Save, QStyle::SP_DialogSaveButton, false},
        {Command::CloseProject, QStyle::SP_DialogCloseButton, true},
        {Command::RestoreCardData, QStyle::SP_DriveFDIcon, false},
    };
    for (const auto &button : kButtons) {
        // A button of its own mirrors the menu command, so that hiding it leaves the menu entry.
        QAction *command = m_commands.action(button.command);
        command->setIcon(s->standardIcon(button.icon));
        auto *proxy = new QAction(command->icon(), command->text(), this);
        proxy->setObjectName(QStringLiteral("button%1").arg(int(button.command)));
        const auto mirror = [proxy, command] {
            proxy->setEnabled(command->isEnabled());
            proxy->setText(command->text());
            proxy->setToolTip(command->toolTip());
        };
        mirror();
        connect(command, &QAction::changed, proxy, mirror);
        connect(proxy, &QAction::triggered, command, &QAction::trigger);
        if (button.lines) {
            const QIcon icon = command->icon();
            for (QAction *shown : {command, proxy})
                LineIcon::setOn(shown, m_toolBar, icon);
        }
        m_toolBar->addAction(proxy);
        m_toolButtons.insert(button.command, proxy);
    }
    m_toolBar->addSeparator();
    QAction *settings = m_commands.action(Command::ProgramSettings);
    settings->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_toolBar->addAction(settings);
    QAction *about = m_commands.action(Command::About);
    about->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
    m_toolBar->addAction(about);

    QAction *toggle = m_commands.action(Command::ToolBar);
    connect(toggle, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toggle, [toggle, this](bool visible) {
        if (!isHidden())
            toggle->setChecked(visible);
    });
}

void MainWindow::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("mainStatusBar"));
    m_statusIcon = new QLabel(bar);
    m_statusIcon->setObjectName(QStringLiteral("statusIcon"));
    bar->addWidget(m_statusIcon);
    for (int pane = 0; pane < 3; ++pane) {
        auto *label = new QLabel(bar);
        label->setObjectName(QStringLiteral("statusPane%1").arg(pane));
        label->setFrameShape(QFrame::NoFrame);
        if (pane == 0) {
            bar->addWidget(label, 1);
        } else {
            label->setMinimumWidth(60);
            label->setContentsMargins(6, 0, 10, 0); // clear of the size grip
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setToolTip(Lang::text(Txt::StatusCountsTip));
            bar->addPermanentWidget(label);
        }
        m_statusPanes << label;
    }
    setStatusPane(0, Lang::text(Txt::StatusNoDrive));
    setStatusPane(1, QStringLiteral("0"));
    setStatusPane(2, QStringLiteral("0"));
}

void MainWindow::setLibraryPanel(QWidget *panel)
{
    if (!panel)
        return;
    m_splitter->replaceWidget(0, panel);
    if (m_panelSlot) {
        m_panelSlot->deleteLater();
        m_panelSlot = nullptr;
    }
}

void MainWindow::setStatusPane(int pane, const QString &text)
{
    if (pane >= 0 && pane < m_statusPanes.size())
        m_statusPanes[pane]->setText(text);
}

void MainWindow::setStatusIcon(const QIcon &icon)
{
    m_statusIcon->setPixmap(icon.pixmap(16, 16));
}

QString MainWindow::statusPane(int pane) const
{
    return pane >= 0 && pane < m_statusPanes.size() ? m_statusPanes[pane]->text() : QString();
}

void MainWindow::applyMenuTexts()
{
    for (const auto &[menu, textId] : std::as_const(m_menuTexts))
        menu->setTitle(Lang::text(textId));
    m_commands.applyTexts();
    m_toolBar->setWindowTitle(QString(Lang::text(Txt::MenuToolBar)).remove(u'&'));
}

void MainWindow::showProjectButtons(bool projectOpen)
{
    m_toolButtons.value(Command::New)->setVisible(!projectOpen);
    m_toolButtons.value(Command::Open)->setVisible(!projectOpen);
    m_toolButtons.value(Command::Save)->setVisible(projectOpen);
    m_toolButtons.value(Command::CloseProject)->setVisible(projectOpen);
    m_toolButtons.value(Command::RestoreCardData)->setVisible(projectOpen);
}

void MainWindow::openProgramSettings()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    AppSettings &settings = core->settings();
    const QString languageBefore = settings.lastLanguage();
    SettingsDialog dialog(core->dirs().languageDir(), settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.storeInto(settings);
    reportSettingsSaved(settings.save(false));
    emit matrixSizeChanged(settings.maxX(), settings.maxY());
    // The computer's library follows the song directory of the settings.
    if (m_panel)
        m_panel->setComputerRoot(settings.lyricsDir());
    if (!Languages::sameName(settings.lastLanguage(), languageBefore))
        infoBox(this, Lang::text(Txt::SettingsLanguageAtRestart));
}

void MainWindow::reportSettingsSaved(bool saved)
{
    AppCore *core = AppCore::instance();
    if (saved || !core)
        return;
    errorBox(this, Lang::text(Txt::SettingsNotSaved).arg(core->storePath()));
}

void MainWindow::openAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (AppCore *core = AppCore::instance())
        reportSettingsSaved(core->saveSettings());
    for (const auto &guard : m_closeGuards) {
        if (!guard()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void MainWindow::exportFonts()
{
    AppCore *core = AppCore::instance();
    if (!core)
        return;
    // No folder is asked for when there is nothing to export.
    if (fontNamesInDirectory(core->fontDir()).isEmpty()) {
        showFontExportOutcome(this, exportAllFonts(core->fontDir(), {}), {}, {});
        return;
    }
    const QString outDir = FontFiles::chooseExportFolder(this, *core);
    if (outDir.isEmpty())
        return;
    showFontExportOutcome(this, exportAllFonts(core->fontDir(), outDir),
                          Lang::text(Txt::FontExportDone) + u'\n' + QDir::toNativeSeparators(outDir), outDir);
}

void MainWindow::openFontEditor()
{
    if (AppCore *core = AppCore::instance()) {
        FontEditor editor(*core, this);
        editor.exec();
    }
}

void MainWindow::generateReport()
{
    if (!m_workspace || !m_workspace->hasCard())
        return;
    static_assert(ReportDialog::kChoices == AppSettings::kReportFiles);
    ReportDialog dialog(m_workspace->library(), m_reportFolder, m_panel);
    if (AppCore *core = AppCore::instance()) {
        for (int report = 0; report < ReportDialog::kChoices; ++report)
            dialog.setTarget(report, core->settings().reportFile(report));
        connect(&dialog, &ReportDialog::targetChosen, this, [core](int report, const QString &path) {
            core->settings().setReportFile(report, path);
            core->saveSettings();
        });
    }
    dialog.exec();
}

void MainWindow::openCardWizard(const QString &sourceRoot)
{
    AppCore *core = AppCore::instance();
    if (!core || !m_panel)
        return;
    DriveCombo *drives = m_panel->driveList();
    QPair<QString, QStringList> imported; // the library imported into and the files written
    {
        // A poll of the panel's own list while a copy lets events through would read the card mid-write.
        const DrivePollingPause pause(drives);
        CardWizard wizard(core->dirs().projectDir(), core->dirs().backupDir(), m_panel->allDrives(), m_panel->udisks(),
                          m_panel);
        // The wizard copies from the library shown (or the one the caller names) onto the card shown last.
        const QList<LibrarySource> sources = drives->libraries();
        const int source = LibrarySources::indexOfRoot(sources,
                                                       sourceRoot.isEmpty() ? m_workspace->root() : sourceRoot);
        const QString targetCard = m_workspace->shownLibrary().kind == LibrarySource::Kind::Card
            ? m_workspace->root()
            : m_panel->lastCardRoot();
        wizard.setSources(sources, std::max(source, 0));
        wizard.setTargetRoot(targetCard);
        connect(&wizard, &CardWizard::projectRestored, m_panel, &LibraryPanel::showRestoredProject);
        wizard.setProjectGuard([this, &wizard] {
            return ProjectActions::mayDiscardChanges(&wizard, *m_workspace, m_panel->openProject());
        });
        connect(&wizard, &CardWizard::libraryRestored, m_panel, &LibraryPanel::showRestoredLibrary);
        // Songs are imported into a library of the list, the one shown and its group first; the
        // tree shows them once the wizard has closed.
        const QList<LibrarySource> writable = m_workspace->writableLibraries();
        wizard.setImportTarget({writable, std::max(0, LibrarySources::indexOfRoot(writable, m_workspace->root())),
                                m_workspace->currentGroup(),
                                [&imported](const QString &root, const QStringList &files) {
                                    imported = {root, files};
                                }});
        // Songs imported into the library shown count in it at once.
        connect(&wizard, &CardWizard::songsImported, m_panel, [this] { m_panel->refreshLibrary(false); });
        wizard.exec();
    }
    // The wizard may have formatted or written the card: the list reads the drives now, not at the next poll.
    if (drives->isPolling())
        drives->refreshDrives();
    if (imported.second.isEmpty())
        m_panel->refreshLibrary(false);
    else
        m_panel->showImported(imported.first, imported.second);
}
