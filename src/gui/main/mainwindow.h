// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/app/librarysources.h"
#include "gui/app/commandregistry.h"
#include "gui/app/uiseams.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class CharacterPalette;
class DriveProvider;
class LibraryPanel;
class PlaylistPage;
class SongEditorPage;
class Workspace;
class QIcon;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;

// The main window: menus, tool bar, three-pane status bar, and the library panel beside
// the page stack in a splitter. It composes what it shows: the workspace, the panel and the
// pages, which hear of each other only through the workspace and the command registry.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Small enough for a 1024x600 screen with a task bar and the window's title bar; the pages
    // scroll what does not fit.
    static constexpr int kMinWidth = 920;
    static constexpr int kMinHeight = 500;
    // The size before it is maximised (and where no window manager maximises it).
    static constexpr int kStartHeight = 600;
    static constexpr int kMinPageWidth = 20;

    // The window owns seams, and everything it shows reaches them (seamsOf).
    explicit MainWindow(UiSeams seams = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Creates the workspace, the library panel on the drives (removableDrives besides the folder
    // cards; may be null) and the pages, and wires them together. Called once.
    void compose(std::shared_ptr<DriveProvider> removableDrives);
    Workspace &workspace() { return *m_workspace; }
    LibraryPanel *libraryPanel() const { return m_panel; }
    SongEditorPage *editorPage() const { return m_editorPage; }
    PlaylistPage *playlistPage() const { return m_playlistPage; }

    UiSeams &seams() { return *m_seams; }
    CommandRegistry &commands() { return m_commands; }
    QAction *action(Command command) const { return m_commands.action(command); }
    // The tool bar's button for a command, or null. The project buttons come and go with the
    // project; their menu entries stay.
    QAction *toolButton(Command command) const { return m_toolButtons.value(command); }
    QToolBar *toolBar() const { return m_toolBar; }
    // The "File" menu; its last entry is Exit.
    QMenu *fileMenu() const { return m_fileMenu; }
    QSplitter *splitter() const { return m_splitter; }
    QStackedWidget *pages() const { return m_pages; }
    // The special-character palette, a tool window above this one.
    CharacterPalette *characterPalette() const { return m_characterPalette; }

    // Pane 0: drive; pane 1: song count; pane 2: slide count.
    void setStatusPane(int pane, const QString &text);
    QString statusPane(int pane) const;
    // The picture before pane 0 (card chosen or not).
    void setStatusIcon(const QIcon &icon);

    // Replaces every menu text by its language text.
    void applyMenuTexts();
    // The title names the song or playlist in front and marks its unsaved changes.
    void updateTitle();
    // Tool bar state with and without an open project.
    void showProjectButtons(bool projectOpen);

    // Asked in turn before the window closes; any returning false keeps it open.
    void addCloseGuard(std::function<bool()> guard) { m_closeGuards.push_back(std::move(guard)); }

    void openProgramSettings();
    void openAbout();
    // Writes fonts.out for every font of the font folder into a folder the user chooses
    // (remembered; the data folder's Out at first).
    void exportFonts();
    void openFontEditor();
    // The report dialog on the card's library; reports go into the report folder.
    void generateReport();
    void setReportFolder(const QString &folder) { m_reportFolder = folder; }
    // The card wizard on the card image and the panel's drives, copying from sourceRoot (empty:
    // the library shown) to the card shown last; the panel's polling pauses while it is open, and
    // the panel reads its library again afterwards.
    void openCardWizard(const QString &sourceRoot = {});

signals:
    // The board's text matrix changed in the program settings.
    void matrixSizeChanged(int columns, int rows);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addCommand(QMenu *menu, const CommandRegistry::Entry &entry, bool enabled);
    // Puts the library panel on the left of the splitter, replacing the empty slot.
    void setLibraryPanel(QWidget *panel);
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    // Tells the user when the settings store could not be written (a full disk, no rights).
    void reportSettingsSaved(bool saved);

    UiSeams *m_seams; // owned by this window as a child object
    CommandRegistry m_commands;
    std::unique_ptr<Workspace> m_workspace;
    LibraryPanel *m_panel = nullptr;
    SongEditorPage *m_editorPage = nullptr;
    PlaylistPage *m_playlistPage = nullptr;
    QHash<Command, QAction *> m_toolButtons;
    QList<QPair<QMenu *, int>> m_menuTexts;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_fileMenu = nullptr;
    QSplitter *m_splitter = nullptr;
    QWidget *m_panelSlot = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<QLabel *> m_statusPanes;
    QLabel *m_statusIcon = nullptr;
    std::vector<std::function<bool()>> m_closeGuards;
    CharacterPalette *m_characterPalette = nullptr;
    // The user's documents folder unless a caller chooses another.
    QString m_reportFolder;
};
