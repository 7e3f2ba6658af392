// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/main/commandids.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class CharacterPalette;
class QIcon;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;

// The main window: menus, tool bar, three-pane status bar, and the library panel beside
// the page stack in a splitter. Commands whose work is not built yet stay disabled.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kMinWidth = 920;
    static constexpr int kMinHeight = 600;
    static constexpr int kMinPageWidth = 20;

    explicit MainWindow(QWidget *parent = nullptr);

    QAction *action(Command command) const { return m_actions.value(command); }
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
    // Puts the library panel on the left of the splitter, replacing the empty slot.
    void setLibraryPanel(QWidget *panel);

    // Pane 0: drive; pane 1: song count; pane 2: slide count.
    void setStatusPane(int pane, const QString &text);
    QString statusPane(int pane) const;
    // The picture before pane 0 (card chosen or not).
    void setStatusIcon(const QIcon &icon);

    // Replaces every menu text by its language text.
    void applyMenuTexts();
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

signals:
    // The board's text matrix changed in the program settings.
    void matrixSizeChanged(int columns, int rows);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QAction *addCommand(QMenu *menu, Command command, int textId, bool enabled);
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    // Tells the user when the settings store could not be written (a full disk, no rights).
    void reportSettingsSaved(bool saved);

    QHash<Command, QAction *> m_actions;
    QHash<Command, int> m_actionTexts;
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
};
