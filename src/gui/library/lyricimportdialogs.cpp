// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/lyricimportdialogs.h"

#include "core/app/language.h"
#include "core/app/lyricmessages.h"
#include "gui/app/dialogtext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

SongbookDialog::SongbookDialog(const QStringList &songbooks, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SongbookDialog"));
    setControlText(this, Txt::OpenLyricsReportCaption);
    auto *label = new QLabel(this);
    setControlText(label, Txt::OpenLyricsSongbook);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("songbookList"));
    m_list->addItems(songbooks);
    m_list->addItem(Lang::text(Txt::OpenLyricsNoSongbook));
    m_list->setMinimumWidth(260);
    label->setBuddy(m_list);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addSpacing(8);
    layout->addWidget(okCancelButtons(this));
}

QString SongbookDialog::songbook() const
{
    // The last entry is "no songbook".
    return m_list->currentIndex() < m_list->count() - 1 ? m_list->currentText() : QString();
}

QString LyricImportReport::noteText(const LyricImport::FileResult &result)
{
    using LyricImport::Outcome;
    const int outcome = result.outcome == Outcome::Imported  ? Txt::OpenLyricsImported
                        : result.outcome == Outcome::Present ? Txt::OpenLyricsPresent
                                                             : Txt::OpenLyricsRefused;
    const QString detail = result.outcome == Outcome::Refused ? lyricRefusalText(result.reason)
                                                              : lyricNotesText(result.notes.messages());
    return detail.isEmpty() ? Lang::text(outcome) : Lang::text(outcome) + QStringLiteral(": ") + detail;
}

LyricImportReport::LyricImportReport(const QList<LyricImport::FileResult> &results, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("LyricImportReport"));
    setControlText(this, Txt::OpenLyricsReportCaption);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("resultList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({Lang::text(Txt::IssueColumnFile), Lang::text(Txt::IssueColumnNumber), Lang::text(Txt::TitleLabel),
                             Lang::text(Txt::OpenLyricsNote)});
    for (const LyricImport::FileResult &result : results) {
        auto *row = new QTreeWidgetItem({QFileInfo(result.file).fileName(),
                                         result.number > 0 ? QString::number(result.number) : QString(), result.title,
                                         noteText(result)});
        row->setToolTip(0, QDir::toNativeSeparators(result.file));
        row->setToolTip(3, row->text(3));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        m_list->addTopLevelItem(row);
    }
    for (int column = 0; column < 3; ++column)
        m_list->resizeColumnToContents(column);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(okButtons(this));
    resize(720, 360);
}
