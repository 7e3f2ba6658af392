// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/importsongsdialog.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/library/libraryfiles.h"
#include "core/library/librarynaming.h"
#include "core/model/itemname.h"
#include "core/model/songfile.h"
#include "core/util/leadingint.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/widgets/newgroupdialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace SongImport;

namespace {

const QColor kTakenColour(128, 255, 128);
constexpr int kColumns = 4;
constexpr int kListingDelayMs = 200;
// The entry of the listing a table row shows, kept in its first cell.
constexpr int kRowRole = Qt::UserRole;

// The first lines of a long list, so that a message box stays on the screen.
QString shownLines(const QStringList &lines)
{
    constexpr int kLinesShown = 15;
    return lines.size() <= kLinesShown ? lines.join(u'\n') : lines.first(kLinesShown).join(u'\n') + u"\n\u2026";
}

QString numberCell(int number)
{
    return u'[' + ItemName::format(number, QString()).trimmed() + u']';
}

} // namespace

ImportSongsDialog::ImportSongsDialog(AppCore &core, const QString &sourceDir, QWidget *parent)
    : QDialog(parent), m_core(core), m_source(sourceDir)
{
    setObjectName(QStringLiteral("ImportSongsDialog"));
    setControlText(this, Txt::ImportSongsTitle);

    buildList();
    QGridLayout *target = buildTarget();
    QGridLayout *work = buildWork();
    QDialogButtonBox *buttons = okCancelButtons(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);

    auto *controls = new QHBoxLayout;
    controls->addLayout(target, 1);
    controls->addSpacing(16);
    controls->addLayout(work);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(controls);
    layout->addWidget(buttons);
    resize(620, 520);

    m_listingTimer = new QTimer(this);
    m_listingTimer->setSingleShot(true);
    m_listingTimer->setInterval(kListingDelayMs);
    connect(m_listingTimer, &QTimer::timeout, this, &ImportSongsDialog::listSource);

    m_runner.onBusyChanged = [this](bool busy) { showBusy(busy); };
    fillGroups();
    updateModeControls();
    updateCounters();
}

void ImportSongsDialog::buildList()
{
    m_list = new QTableWidget(0, kColumns, this);
    m_list->setObjectName(QStringLiteral("songList"));
    m_list->setHorizontalHeaderLabels({Lang::text(Txt::ImportColumnNumber), Lang::text(Txt::ImportColumnTitle),
                                       Lang::text(Txt::ImportColumnGroup), Lang::text(Txt::ImportColumnState)});
    const int widths[kColumns] = {50, 200, 200, 100};
    for (int column = 0; column < kColumns; ++column)
        m_list->setColumnWidth(column, widths[column]);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(20);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    connect(m_list, &QTableWidget::itemSelectionChanged, this, &ImportSongsDialog::updateCounters);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!m_runner.isBusy())
            preview();
    });
}

QGridLayout *ImportSongsDialog::buildTarget()
{
    auto *groupLabel = new QLabel(this);
    setControlText(groupLabel, Txt::ImportAddToGroup);
    m_groups = new QComboBox(this);
    m_groups->setObjectName(QStringLiteral("groupList"));
    m_groups->setMinimumWidth(180);
    groupLabel->setBuddy(m_groups);
    m_newGroup = new QPushButton(this);
    m_newGroup->setObjectName(QStringLiteral("newGroup"));
    setControlText(m_newGroup, Txt::ImportNewGroup);
    connect(m_newGroup, &QPushButton::clicked, this, &ImportSongsDialog::createGroup);

    auto *conflict = new QGroupBox(this);
    setControlText(conflict, Txt::ImportNumberConflict);
    m_keepNumbers = new QRadioButton(conflict);
    m_keepNumbers->setObjectName(QStringLiteral("keepNumbers"));
    setControlText(m_keepNumbers, Txt::ImportFreeNumbersOnly);
    m_numberFrom = new QRadioButton(conflict);
    m_numberFrom->setObjectName(QStringLiteral("numberFrom"));
    setControlText(m_numberFrom, Txt::ImportNumberFrom);
    m_modes = new QButtonGroup(this);
    m_modes->addButton(m_keepNumbers, int(Mode::KeepNumbers));
    m_modes->addButton(m_numberFrom, int(Mode::NumberFrom));
    m_keepNumbers->setChecked(true);
    m_start = new QLineEdit(QStringLiteral("2000"), conflict);
    m_start->setObjectName(QStringLiteral("startNumber"));
    m_start->setMaxLength(4);
    m_start->setMaximumWidth(60);
    connect(m_modes, &QButtonGroup::idToggled, this, &ImportSongsDialog::updateModeControls);
    auto *conflictLayout = new QGridLayout(conflict);
    conflictLayout->addWidget(m_keepNumbers, 0, 0, 1, 2);
    conflictLayout->addWidget(m_numberFrom, 1, 0);
    conflictLayout->addWidget(m_start, 1, 1);
    conflictLayout->setColumnStretch(2, 1);

    auto *target = new QGridLayout;
    target->addWidget(groupLabel, 0, 0);
    target->addWidget(m_groups, 0, 1);
    target->addWidget(m_newGroup, 0, 2);
    target->addWidget(conflict, 1, 0, 1, 3);
    target->setColumnStretch(1, 1);
    return target;
}

QGridLayout *ImportSongsDialog::buildWork()
{
    auto *selectedLabel = new QLabel(this);
    setControlText(selectedLabel, Txt::ImportSelectedLabel);
    auto *remainingLabel = new QLabel(this);
    setControlText(remainingLabel, Txt::ImportRemainingLabel);
    m_selectedCount = new QLabel(this);
    m_selectedCount->setObjectName(QStringLiteral("selectedCount"));
    m_remainingCount = new QLabel(this);
    m_remainingCount->setObjectName(QStringLiteral("remainingCount"));

    m_startButton = new QPushButton(this);
    m_startButton->setObjectName(QStringLiteral("start"));
    setControlText(m_startButton, Txt::ImportStart);
    connect(m_startButton, &QPushButton::clicked, this, &ImportSongsDialog::startImport);
    m_stopButton = new QPushButton(this);
    m_stopButton->setObjectName(QStringLiteral("stop"));
    setControlText(m_stopButton, Txt::ImportStop);
    m_stopButton->hide();
    connect(m_stopButton, &QPushButton::clicked, this, [this] { m_runner.requestStop(); });
    m_preview = new QPushButton(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    setControlText(m_preview, Txt::ImportPreview);
    connect(m_preview, &QPushButton::clicked, this, &ImportSongsDialog::preview);
    for (QPushButton *button : {m_newGroup, m_startButton, m_stopButton, m_preview})
        button->setAutoDefault(false);

    auto *work = new QGridLayout;
    work->addWidget(selectedLabel, 0, 0);
    work->addWidget(m_selectedCount, 0, 1);
    work->addWidget(remainingLabel, 1, 0);
    work->addWidget(m_remainingCount, 1, 1);
    // "Start" and "Przerwij" share one place: only one of them is shown.
    work->addWidget(m_startButton, 2, 0, 1, 2);
    work->addWidget(m_stopButton, 2, 0, 1, 2);
    work->addWidget(m_preview, 3, 0, 1, 2);
    work->setRowStretch(4, 1);
    return work;
}

ImportSongsDialog::~ImportSongsDialog() = default;

QString ImportSongsDialog::songDir() const
{
    return m_core.settings().lyricsDir();
}

void ImportSongsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_listed) {
        m_listed = true;
        m_listingTimer->start();
    }
}

void ImportSongsDialog::closeEvent(QCloseEvent *event)
{
    if (m_runner.isBusy())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void ImportSongsDialog::reject()
{
    if (!m_runner.isBusy())
        QDialog::reject();
}

void ImportSongsDialog::accept()
{
    if (!m_runner.isBusy())
        QDialog::accept();
}

void ImportSongsDialog::fillGroups(const QString &chosen)
{
    m_groups->clear();
    m_groups->addItems(groupNames(songDir()));
    const int index = m_groups->findText(chosen, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    m_groups->setCurrentIndex(index >= 0 ? index : (m_groups->count() > 0 ? 0 : -1));
}

void ImportSongsDialog::showBusy(bool busy)
{
    m_startButton->setVisible(!busy);
    m_stopButton->setVisible(busy);
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_list, m_groups, m_newGroup, m_keepNumbers, m_numberFrom, m_ok, m_cancel})
        control->setEnabled(!busy);
    updateModeControls();
    updateCounters();
    if (busy)
        m_stopButton->setFocus();
}

void ImportSongsDialog::updateModeControls()
{
    m_start->setEnabled(!m_runner.isBusy() && m_numberFrom->isChecked());
}

void ImportSongsDialog::updateCounters()
{
    const int selected = int(m_list->selectionModel()->selectedRows().size());
    m_selectedCount->setText(QString::number(selected));
    m_remainingCount->setText(QString::number(m_list->rowCount()));
    m_startButton->setEnabled(!m_runner.isBusy() && selected > 0);
    m_preview->setEnabled(!m_runner.isBusy() && selected == 1);
}

void ImportSongsDialog::listSource()
{
    m_runner.run([this](const Progress &base) {
        Progress progress = base;
        progress.onFile = [this](const QString &, int, int) { m_runner.pump(); };
        Listing listing = SongImport::list(m_source, songDir(), progress);
        m_rows = std::move(listing.rows);
        fillList();
        markTakenRows();
    });
    m_list->setFocus();
}

void ImportSongsDialog::fillList()
{
    m_list->setUpdatesEnabled(false);
    m_list->clearContents();
    m_list->setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        const Row &row = m_rows.at(r);
        const QString texts[kColumns] = {numberCell(row.number), row.title, row.group, QString()};
        for (int column = 0; column < kColumns; ++column)
            m_list->setItem(r, column, new QTableWidgetItem(texts[column]));
        m_list->item(r, 0)->setData(kRowRole, r);
    }
    m_list->setUpdatesEnabled(true);
}

int ImportSongsDialog::rowOf(const QTableWidgetItem *item) const
{
    return m_list->item(item->row(), 0)->data(kRowRole).toInt();
}

void ImportSongsDialog::showTaken(int tableRow, bool taken)
{
    for (int column = 0; column < kColumns; ++column) {
        QTableWidgetItem *item = m_list->item(tableRow, column);
        item->setBackground(taken ? QBrush(kTakenColour) : QBrush());
        item->setForeground(taken ? QBrush(Qt::black) : QBrush());
    }
    m_list->item(tableRow, 3)->setText(taken ? Lang::text(Txt::ImportNumberTaken) : QString());
}

void ImportSongsDialog::markTakenRows()
{
    const LibraryNumberTable taken = takenNumbers(m_core.songTable(), songDir());
    for (int r = 0; r < m_list->rowCount(); ++r)
        showTaken(r, taken.isUsed(m_rows.at(rowOf(m_list->item(r, 0))).number));
}

QList<int> ImportSongsDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ImportSongsDialog::createGroup()
{
    NewGroupDialog dialog(songDir(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name();
    if (!QDir().mkpath(songDir()) || !LibraryFiles::createGroup(songDir(), name)) {
        errorBox(this, Lang::text(Txt::GroupCreateFailed));
        return;
    }
    fillGroups(name);
}

void ImportSongsDialog::startImport()
{
    const QList<int> chosen = selectedRows();
    if (m_runner.isBusy() || chosen.isEmpty())
        return;
    const QString group = m_groups->currentIndex() >= 0 ? m_groups->currentText() : QString();
    if (group.isEmpty() || !QFileInfo(LibraryNaming::joinPath(songDir(), group)).isDir()) {
        infoBox(this, Lang::text(Txt::TargetGroupTitle));
        if (!group.isEmpty())
            fillGroups();
        return;
    }
    const Mode mode = Mode(m_modes->checkedId());
    const int start = leadingInt(m_start->text());
    if (mode == Mode::NumberFrom && !LibraryNaming::isValidNumber(ItemKind::Song, start)) {
        warningBox(this, Lang::text(Txt::ImportStartOutOfRange));
        m_start->setFocus();
        m_start->selectAll();
        return;
    }

    QList<Row> rows;
    QList<QTableWidgetItem *> items; // a row's first cell finds it while earlier rows go
    for (int r : chosen) {
        items << m_list->item(r, 0);
        rows << m_rows.at(rowOf(items.last()));
    }
    QString firstFailure;
    QStringList moved; // "[0007] Ave -> 0012" for each song that could not keep its number
    Run run;
    m_runner.run([&](const Progress &base) {
        Progress progress = base;
        progress.onFile = [this](const QString &, int, int) { m_runner.pump(); };
        run = importRows(
            rows, songDir(), group, mode, start, m_core.songTable(), progress, [&](int index, const RowResult &result) {
                const int tableRow = items.at(index)->row();
                if (result.outcome == Outcome::Imported) {
                    if (result.movedFrom > 0)
                        moved << numberCell(result.movedFrom) + u' ' + rows.at(index).title + u" \u2192 "
                                + ItemName::format(result.number, QString()).trimmed();
                    m_importedAny = true;
                    m_list->removeRow(tableRow);
                    return;
                }
                m_list->selectionModel()->select(m_list->model()->index(tableRow, 0),
                                                 QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
                if (result.outcome == Outcome::CopyFailed && firstFailure.isEmpty())
                    firstFailure = Lang::text(Txt::ImportCopyFailed)
                                       .arg(QDir::toNativeSeparators(rows.at(index).sourcePath),
                                            qt_error_string(result.error));
            });
        markTakenRows();
    });
    if (run.ending == Ending::NoFreeNumber)
        infoBox(this, Lang::text(Txt::ImportNoFreeNumber));
    QString summary = Lang::text(Txt::ImportSummary).arg(run.imported()).arg(run.skipped());
    if (!moved.isEmpty())
        summary += u"\n\n" + Lang::text(Txt::ImportNumbersMoved).arg(moved.size()) + u'\n' + shownLines(moved);
    if (!firstFailure.isEmpty())
        summary += u"\n\n" + firstFailure;
    infoBox(this, summary);
    m_list->setFocus();
}

void ImportSongsDialog::preview()
{
    const QList<int> chosen = selectedRows();
    if (chosen.size() != 1) {
        infoBox(this, Lang::text(Txt::ImportChooseRow));
        return;
    }
    const QString path = m_rows.at(rowOf(m_list->item(chosen.first(), 0))).sourcePath;
    Song song;
    QString error;
    // The source may be a card: reading must not rewrite it.
    if (!SongFile::load(path, song, nullptr, SongLoadOptions{false}, &error)) {
        errorBox(this, Lang::text(Txt::CannotRead).arg(QDir::toNativeSeparators(path), error));
        return;
    }
    SongStructureDialog view(song, nullptr, this);
    view.exec();
}
