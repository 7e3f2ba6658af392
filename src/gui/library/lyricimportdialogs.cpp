// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/lyricimportdialogs.h"

#include "core/app/language.h"
#include "core/app/lyricmessages.h"
#include "core/lyrics/textdecoding.h"
#include "gui/app/dialogtext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A combo box of values after a first entry that stands for none; its label above it.
QComboBox *addChoice(QVBoxLayout *layout, QWidget *parent, int label, const QString &name, const QStringList &values,
                     int noneText, bool noneFirst)
{
    auto *text = new QLabel(parent);
    setControlText(text, label);
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    if (noneFirst)
        list->addItem(Lang::text(noneText));
    list->addItems(values);
    if (!noneFirst)
        list->addItem(Lang::text(noneText));
    list->setMinimumWidth(260);
    text->setBuddy(list);
    layout->addWidget(text);
    layout->addWidget(list);
    const bool shown = !values.isEmpty();
    text->setVisible(shown);
    list->setVisible(shown);
    return list;
}

// The report's last column, which takes the rest of the width.
constexpr int kNotes = 5;

} // namespace

LyricImportOptions::LyricImportOptions(const LyricImport::BatchFacts &facts, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LyricImportOptions"));
    setControlText(this, Txt::LyricImportCaption);
    auto *layout = new QVBoxLayout(this);
    m_songbooks = addChoice(layout, this, Txt::OpenLyricsSongbook, QStringLiteral("songbookList"), facts.songbooks,
                            Txt::OpenLyricsNoSongbook, false);
    m_encodings = addChoice(layout, this, Txt::LyricEncodingLabel, QStringLiteral("encodingList"),
                            facts.textFiles ? QStringList{QStringLiteral("UTF-8")} + TextDecoding::guessedEncodings()
                                            : QStringList(),
                            Txt::LyricEncodingAuto, true);
    m_languages = addChoice(layout, this, Txt::LyricLanguageLabel, QStringLiteral("languageList"), facts.languages,
                            Txt::LyricLanguageAuto, true);
    layout->addSpacing(8);
    layout->addWidget(okCancelButtons(this));
}

bool LyricImportOptions::needed(const LyricImport::BatchFacts &facts)
{
    return !facts.songbooks.isEmpty() || facts.textFiles || !facts.languages.isEmpty();
}

QString LyricImportOptions::songbook() const
{
    // The last entry is "no songbook".
    return m_songbooks->currentIndex() < m_songbooks->count() - 1 ? m_songbooks->currentText() : QString();
}

QString LyricImportOptions::encoding() const
{
    return m_encodings->currentIndex() > 0 ? m_encodings->currentText() : QString();
}

QString LyricImportOptions::language() const
{
    return m_languages->currentIndex() > 0 ? m_languages->currentText() : QString();
}

QString LyricImportReport::noteText(const LyricImport::FileResult &result)
{
    using LyricImport::Outcome;
    const int outcome = result.outcome == Outcome::Imported ? Txt::OpenLyricsImported
        : result.outcome == Outcome::Present                ? Txt::OpenLyricsPresent
                                                            : Txt::OpenLyricsRefused;
    const QString detail = result.outcome == Outcome::Refused ? lyricRefusalText(result.reason)
                                                              : lyricNotesText(result.notes.messages());
    return detail.isEmpty() ? Lang::text(outcome) : Lang::text(outcome) + QStringLiteral(": ") + detail;
}

LyricImportReport::LyricImportReport(const QList<LyricImport::FileResult> &results, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("LyricImportReport"));
    setControlText(this, Txt::LyricImportCaption);
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(Lang::text(Txt::LyricImportCaption));
    m_list->setObjectName(QStringLiteral("resultList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({Lang::text(Txt::IssueColumnFile), Lang::text(Txt::IssueColumnNumber),
                             Lang::text(Txt::TitleLabel), Lang::text(Txt::LyricFormatColumn),
                             Lang::text(Txt::LyricEncodingColumn), Lang::text(Txt::OpenLyricsNote)});
    for (const LyricImport::FileResult &result : results) {
        const QString format = result.format == u"text" ? Lang::text(Txt::LyricPlainTextFormat) : result.format;
        auto *row = new QTreeWidgetItem({QFileInfo(result.file).fileName(),
                                         result.number > 0 ? QString::number(result.number) : QString(), result.title,
                                         format, result.encoding, noteText(result)});
        row->setToolTip(0, QDir::toNativeSeparators(result.file));
        row->setToolTip(kNotes, row->text(kNotes));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        m_list->addTopLevelItem(row);
    }
    for (int column = 0; column < kNotes; ++column)
        m_list->resizeColumnToContents(column);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(okButtons(this));
    resize(900, 380);
}
