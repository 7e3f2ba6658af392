// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/card/cardprogressview.h"

#include <QGroupBox>
#include <QTimer>

#include <functional>
#include <memory>

class AppendOptionsPage;
class DriveCombo;
class DriveProvider;
class ImportFolderPage;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class WriteOptionsPage;

// The four things the card wizard does, in the order of its radio buttons' object names.
enum class CardAction { Write = 0, Restore = 1, Append = 2, Import = 3 };

// The card wizard shows one page per step: choosing (CardChooseStep), ready to run and running
// (CardReadyStep), finished (CardDoneStep). The wizard decides what each page shows.

// The actions: a radio button and a description each.
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

// "Z:" and "Na:": where the action takes its data from and where it puts it. A write or append
// copies a library of the list onto a card of the card list; a restore reads a card of the card
// list into a library of the restore list. The card list is the one the drive check watches.
class CardRouteRows : public QWidget
{
    Q_OBJECT
public:
    CardRouteRows(std::shared_ptr<DriveProvider> drives, QWidget *parent);
    QComboBox *sources() const { return m_sources; }
    DriveCombo *drives() const { return m_drives; }
    QComboBox *restoreTargets() const { return m_restoreTargets; }
    // Puts the card list under "Na:" (write, append) or "Z:" (restore); an import shows neither.
    void arrange(CardAction action);
    // canFormat: "Formatuj" shows; choosing: it may be pressed; listsEnabled: the lists may change.
    void showRow(bool canFormat, bool choosing, bool listsEnabled);

signals:
    void formatRequested();
    void changed();

private:
    QGridLayout *m_grid;
    QLabel *m_fromLabel;
    QLabel *m_toLabel;
    QComboBox *m_sources;
    DriveCombo *m_drives;
    QComboBox *m_restoreTargets;
    QPushButton *m_formatButton;
    CardAction m_arranged = CardAction::Import;
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

// Step 0: the action, its source and target, and the warning about the card.
class CardChooseStep : public QWidget
{
public:
    CardChooseStep(std::shared_ptr<DriveProvider> drives, QWidget *parent);
    CardActionPage *actions() const { return m_actions; }
    CardRouteRows *route() const { return m_route; }
    CardWarningRow *warning() const { return m_warning; }

private:
    CardActionPage *m_actions;
    CardRouteRows *m_route;
    CardWarningRow *m_warning;
};

// Step 1: the route chosen, the options of the action, the plan of a write or append, and the
// progress of the work.
class CardReadyStep : public QWidget
{
public:
    explicit CardReadyStep(QWidget *parent);
    ~CardReadyStep() override;
    void setRoute(const QString &text);
    ImportFolderPage *importPage() const { return m_importPage; }
    WriteOptionsPage *writePage() const { return m_writePage; }
    AppendOptionsPage *appendPage() const { return m_appendPage; }
    CardProgressView &progress() { return *m_progress; }

private:
    QLabel *m_route;
    ImportFolderPage *m_importPage;
    WriteOptionsPage *m_writePage;
    AppendOptionsPage *m_appendPage;
    std::unique_ptr<CardProgressView> m_progress;
};

// Step 2: what was done, and where a backup went.
class CardDoneStep : public QWidget
{
public:
    explicit CardDoneStep(QWidget *parent);
    void setRoute(const QString &text);
    void setResult(int textId);
    void setDetail(const QString &text);

private:
    QLabel *m_route;
    QLabel *m_result;
    QLabel *m_detail;
};
