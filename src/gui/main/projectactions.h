// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardfinding.h"

#include <QObject>
#include <QString>

class LibraryPanel;
class MainWindow;
class QAction;
class QMimeData;
class QWidget;
class Workspace;
struct OpenProject;

// The project document: it holds no data of its own, only the flows around the card image.
// Opening a card data file (by a dialog, a recent entry, a drop or the command line) unpacks it
// into the card image and opens the card wizard on it; saving packs the chosen card into a card
// data file; new and close show and hide the pages. It owns the main window's commands New,
// Open, Close project, Save, Save card data and Restore card data, and the recent files in the
// File menu.
class ProjectActions : public QObject
{
    Q_OBJECT
public:
    // Wires the frame's project commands, shows the state after New and, once the panel's first
    // drive poll has run, opens the command line's card data file.
    // The frame has been composed.
    explicit ProjectActions(MainWindow *frame);

    bool isOpen() const { return m_open; }
    // The card data file last opened or saved; empty after New and Close.
    QString documentFile() const { return m_documentFile; }
    // The recent files' menu entries, in list order.
    QList<QAction *> recentActions() const { return m_recentActions; }

    // Unpacks the card data file at path into the card image and, when that succeeded, opens the
    // card wizard on it. Every way of opening a project ends here. False when it did not open.
    bool openProject(const QString &path);
    // The open dialog (Open and Restore card data), starting in and remembering the last folder.
    void openWithDialog();
    // Opens a recent file; one that is gone is reported and leaves the list.
    void openRecent(const QString &path);
    // Packs the chosen card into a file chosen in a save dialog, proposing the document's file
    // (Save) or starting in the last folder (Save card data).
    void saveProject(bool proposeDocumentFile);
    // Closes an open project first (with its questions), then shows the state after New.
    void newProject();
    // Asks about unsaved edits; false when the project stays open.
    bool closeProject();

    // Asks before the open project's folder is replaced or closed while it holds changes not
    // saved to a file; true when there are none or the user lets them go.
    static bool mayDiscardChanges(QWidget *owner, const Workspace &workspace, const OpenProject &project);

    // The path of a drag that may be dropped on the main window: exactly one local file ending
    // in ".lvp"; empty otherwise.
    static QString droppedProject(const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void start();
    void showOpenState();
    void updateStates();
    void rebuildRecentMenu();
    // A file opened or saved: it heads the recent files and becomes the document's file.
    void remember(const QString &path);
    void showLeftOut(const CardFindings &findings);

    MainWindow *m_frame;
    LibraryPanel *m_panel; // the frame's
    bool m_open = false;
    bool m_started = false;
    QString m_documentFile;
    QList<QAction *> m_recentActions;
    QAction *m_recentSeparator = nullptr;
};
