// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/card/cardplan.h"
#include "core/util/progress.h"

#include <QGroupBox>
#include <QTimer>

#include <functional>
#include <memory>

class DriveCombo;
class QBoxLayout;
class DriveProvider;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// The four things the card wizard does, in the order of its radio buttons' object names.
enum class CardAction { Write = 0, Restore = 1, Append = 2, Import = 3 };

// The pieces of the card wizard's window, top to bottom. Each keeps its place when hidden, so
// that the window never grows or shrinks between steps; the wizard decides what shows.

// The first step: a radio button and a description per action.
class CardActionPage : public QGroupBox
{
    Q_OBJECT
public:
    explicit CardActionPage(QWidget *parent);
    // Marks current; while choosing, the actions possible() allows can be picked.
    void showChoice(CardAction current, bool choosing, bool busy, const std::function<bool(CardAction)> &possible);

signals:
    void chosen(CardAction action);

private:
    QRadioButton *m_radios[4] = {};
    QLabel *m_descriptions[4] = {};
};

// "Wybierz napęd": the drive list and "Formatuj" for a drive that is not FAT32.
class CardDriveRow : public QWidget
{
    Q_OBJECT
public:
    CardDriveRow(std::shared_ptr<DriveProvider> drives, QWidget *parent);
    DriveCombo *drives() const { return m_drives; }
    // shown: not for an import; canFormat: the format button shows; choosing: it may be pressed.
    void showRow(bool shown, bool canFormat, bool choosing, bool listEnabled);

signals:
    void formatRequested();

private:
    QLabel *m_label;
    DriveCombo *m_drives;
    QPushButton *m_formatButton;
};

// The blinking warning about a drive that is not FAT32.
class CardWarningRow : public QWidget
{
public:
    explicit CardWarningRow(QWidget *parent);
    void showWarning(bool shown);
    // One tick of the 500 ms blink timer; the timer runs while the warning shows.
    void blinkTick();
    bool isBlinking() const { return m_blink.isActive(); }

private:
    QLabel *m_icon;
    QLabel *m_text;
    QTimer m_blink;
};

// Import: the folder the songs come from, typed or chosen with "...".
class ImportFolderPage : public QWidget
{
    Q_OBJECT
public:
    explicit ImportFolderPage(QWidget *parent);
    QString folder() const;
    void setFolder(const QString &folder);
    void showPage(bool shown, bool enabled);

signals:
    void changed();
    void browseRequested();

private:
    QLabel *m_label;
    QLineEdit *m_edit;
    QPushButton *m_browseButton;
};

// Write: whether the card is backed up first.
class WriteOptionsPage : public QWidget
{
public:
    explicit WriteOptionsPage(QWidget *parent);
    bool backup() const;
    void showPage(bool shown, bool enabled);

private:
    QCheckBox *m_backupBox;
};

// Append: the categories appended (songs, playlists, slides).
class AppendOptionsPage : public QWidget
{
    Q_OBJECT
public:
    explicit AppendOptionsPage(QWidget *parent);
    // The chosen categories as CardSongs | CardPlaylists | CardSlides bits.
    int categories() const;
    void showPage(bool shown, bool enabled);

signals:
    void changed();

private:
    QCheckBox *m_boxes[3] = {};
};

// The running work and its end: a heading, the plan of a write or append, the directory and
// file being handled and the bars. Its widgets sit in the wizard's own column (the plan takes
// the room the window has to spare), so this is a view of them rather than a widget.
class CardProgressView
{
public:
    // Creates the widgets as children of parent.
    explicit CardProgressView(QWidget *parent);
    void addTo(QBoxLayout *layout);
    // The heading; the directory and file lines are cleared.
    void setInfo(int textId);
    // The heading, directory and file lines cleared, the file bar empty.
    void clear();
    void setDirectoryText(const QString &text);
    // The overall bar counts to files (at least 1) from 0.
    void startOverall(int files);
    void showPlan(const CardPlan &plan);
    // ready: step 1; the file bar stands aside for an import and a plan shown.
    void showPage(int step, bool importing, bool busy, bool planShown);
    // base with the labels and bars following the work; pump lets events through.
    Progress progress(const Progress &base, const std::function<void()> &pump);

private:
    QLabel *m_infoLine;
    QTreeWidget *m_planList;
    QLabel *m_planSummary;
    QLabel *m_directoryText;
    QLabel *m_fileText;
    QProgressBar *m_fileProgress;
    QProgressBar *m_overallProgress;
};
