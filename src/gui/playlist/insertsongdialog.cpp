// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/playlist/insertsongdialog.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/model/songfile.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/windowplace.h"
#include "gui/widgets/songstructuredialog.h"
#include "gui/widgets/screenpreview.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using PlaylistEditing::InsertChoice;

namespace {

QLineEdit *readOnlyField(QWidget *parent, const char *name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

QPushButton *arrowButton(QWidget *parent, const char *name, bool back, int tipId)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(back ? QStyle::SP_ArrowLeft : QStyle::SP_ArrowRight));
    if (tipId) {
        button->setToolTip(Lang::text(tipId));
        button->setAccessibleName(Lang::text(tipId)); // the button shows only an arrow
    }
    return button;
}

} // namespace

InsertSongDialog::InsertSongDialog(const QString &path, bool slide, QWidget *parent)
    : QDialog(parent), m_path(path), m_slide(slide)
{
    setObjectName(QStringLiteral("InsertSongDialog"));
    setControlText(this, Txt::InsertSongTitle);

    m_title = readOnlyField(this, "title");
    m_number = readOnlyField(this, "number");
    m_stanzaCount = readOnlyField(this, "stanzaCount");
    auto *facts = new QFormLayout;
    facts->addRow(Lang::text(Txt::InsertSongTitleLabel), m_title);
    facts->addRow(Lang::text(Txt::InsertSongNumberLabel), m_number);
    facts->addRow(Lang::text(Txt::InsertSongStanzaCountLabel), m_stanzaCount);

    auto *choose = new QGroupBox(this);
    setControlText(choose, Txt::InsertSongChooseBox);
    m_stanzaLabel = new QLabel(choose);
    m_stanzaLabel->setObjectName(QStringLiteral("stanzaLabel"));
    m_previousStanza = arrowButton(choose, "previousStanza", true, Txt::InsertSongPreviousTip);
    m_nextStanza = arrowButton(choose, "nextStanza", false, Txt::InsertSongNextTip);
    m_stanzaCounter = readOnlyField(choose, "stanzaCounter");
    m_stanzaCounter->setAlignment(Qt::AlignCenter);
    m_stanzaCounter->setMaximumWidth(60);
    m_previousScreen = arrowButton(choose, "previousScreen", true, Txt::PreviousScreenTip);
    m_nextScreen = arrowButton(choose, "nextScreen", false, Txt::NextScreenTip);
    m_screenCounter = readOnlyField(choose, "screenCounter");
    m_screenCounter->setAlignment(Qt::AlignCenter);
    m_screenCounter->setMaximumWidth(60);
    m_preview = new ScreenPreview(choose);
    if (AppCore *core = AppCore::instance())
        m_preview->setBoardSize(core->settings().maxX(), core->settings().maxY());
    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_stanzaLabel, 1);
    navigation->addWidget(m_previousStanza);
    navigation->addWidget(m_stanzaCounter);
    navigation->addWidget(m_nextStanza);
    auto *chooseLayout = new QVBoxLayout(choose);
    chooseLayout->addLayout(navigation);
    auto *screens = new QHBoxLayout;
    auto *screenLabel = new QLabel(Lang::text(Txt::ScreenLabel), choose);
    m_stanzaLabel->setBuddy(m_stanzaCounter);
    screenLabel->setBuddy(m_screenCounter);
    // Tab in the order the row shows them: back, counter, forward.
    setTabOrder(m_previousStanza, m_stanzaCounter);
    setTabOrder(m_stanzaCounter, m_nextStanza);
    setTabOrder(m_nextStanza, m_previousScreen);
    setTabOrder(m_previousScreen, m_screenCounter);
    setTabOrder(m_screenCounter, m_nextScreen);
    screens->addWidget(screenLabel, 1);
    screens->addWidget(m_previousScreen);
    screens->addWidget(m_screenCounter);
    screens->addWidget(m_nextScreen);
    chooseLayout->addLayout(screens);
    chooseLayout->addWidget(m_preview, 0, Qt::AlignHCenter);

    auto *options = new QGroupBox(this);
    setControlText(options, Txt::InsertSongOptionsBox);
    m_whole = new QRadioButton(Lang::text(Txt::InsertSongWhole), options);
    m_one = new QRadioButton(Lang::text(Txt::InsertSongOneStanza), options);
    m_range = new QRadioButton(Lang::text(Txt::InsertSongRange), options);
    m_whole->setObjectName(QStringLiteral("modeWhole"));
    m_one->setObjectName(QStringLiteral("modeStanza"));
    m_range->setObjectName(QStringLiteral("modeRange"));
    m_whole->setToolTip(Lang::text(Txt::InsertSongWholeTip));
    m_one->setToolTip(Lang::text(Txt::InsertSongOneStanzaTip));
    m_range->setToolTip(Lang::text(Txt::InsertSongRangeTip));
    m_whole->setChecked(true);
    m_from = new QLineEdit(options);
    m_to = new QLineEdit(options);
    m_from->setObjectName(QStringLiteral("rangeFrom"));
    m_to->setObjectName(QStringLiteral("rangeTo"));
    m_from->setAccessibleName(m_range->text().remove(u'&'));
    m_to->setAccessibleName(Lang::text(Txt::InsertSongRangeTo));
    for (QLineEdit *field : {m_from, m_to}) {
        field->setValidator(new QIntValidator(0, 999, field));
        field->setMaximumWidth(50);
    }
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_range);
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(new QLabel(Lang::text(Txt::InsertSongRangeTo), options));
    rangeRow->addWidget(m_to);
    rangeRow->addStretch();
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_whole);
    optionsLayout->addWidget(m_one);
    optionsLayout->addLayout(rangeRow);

    auto *buttons = okCancelButtons(this);
    QPushButton *info = buttons->addButton(Lang::text(Txt::InsertSongInfo), QDialogButtonBox::ActionRole);
    info->setObjectName(QStringLiteral("infoButton"));
    connect(info, &QPushButton::clicked, this, &InsertSongDialog::showStructure);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(choose);
    layout->addWidget(options);
    layout->addWidget(buttons);

    connect(m_previousStanza, &QPushButton::clicked, this, &InsertSongDialog::previousStanza);
    connect(m_nextStanza, &QPushButton::clicked, this, &InsertSongDialog::nextStanza);
    connect(m_previousScreen, &QPushButton::clicked, this, [this] { stepScreen(-1); });
    connect(m_nextScreen, &QPushButton::clicked, this, [this] { stepScreen(1); });
    // Wide enough for the caption and the longest texts beside the preview; the size the user gave
    // it last time when larger.
    setMinimumWidth(std::max(fontMetrics().horizontalAdvance(windowTitle()) + 160, sizeHint().width()));
    WindowPlace::restore(this, objectName());
    for (QRadioButton *radio : {m_whole, m_one, m_range})
        connect(radio, &QRadioButton::toggled, this, &InsertSongDialog::updateModeControls);
    // An empty field stays empty while typing, so that it can be cleared and retyped.
    connect(m_from, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!text.isEmpty() && text.toInt() < 1)
            m_from->setText(QStringLiteral("1"));
    });
    connect(m_to, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!text.isEmpty() && text.toInt() > m_song.stanzaCount())
            m_to->setText(QString::number(m_song.stanzaCount()));
    });
}

bool InsertSongDialog::loadSong()
{
    if (!QFileInfo(m_path).isFile() || !SongFile::load(m_path, m_song, nullptr, SongLoadOptions{false}))
        return false;
    if (m_slide)
        m_song.setKind(SongKind::Slide);
    m_title->setText(m_song.title());
    m_number->setText(QStringLiteral("[%1]").arg(m_song.number(), 4, 10, QLatin1Char('0')));
    m_stanzaCount->setText(QString::number(m_song.stanzaCount()));
    m_from->setText(QStringLiteral("1"));
    m_to->setText(QString::number(m_song.stanzaCount()));
    m_stanza = 1;
    m_screen = 1;
    if (m_slide) {
        for (QWidget *w : std::initializer_list<QWidget *>{m_previousStanza, m_nextStanza, m_stanzaCounter, m_whole,
                                                           m_one, m_range, m_from, m_to})
            w->setEnabled(false);
    }
    updateModeControls();
    showSelection();
    return true;
}

void InsertSongDialog::nextStanza()
{
    if (m_stanza < m_song.stanzaCount()) {
        ++m_stanza;
        m_screen = 1;
        showSelection();
    }
}

void InsertSongDialog::previousStanza()
{
    if (m_stanza > 1) {
        --m_stanza;
        m_screen = 1;
        showSelection();
    }
}

void InsertSongDialog::stepScreen(int step)
{
    const int screen = m_screen + step;
    if (screen >= 1 && screen <= m_song.screenCount(m_stanza - 1)) {
        m_screen = screen;
        showSelection();
    }
}

void InsertSongDialog::showStructure()
{
    SongStructureDialog dialog(m_song, nullptr, this);
    dialog.setExtended(true);
    dialog.exec();
}

void InsertSongDialog::done(int result)
{
    WindowPlace::remember(this, objectName());
    QDialog::done(result);
}

void InsertSongDialog::showSelection()
{
    const int screens = m_song.screenCount(m_stanza - 1);
    m_stanzaCounter->setText(QStringLiteral("%1/%2").arg(m_stanza).arg(m_song.stanzaCount()));
    m_screenCounter->setText(QStringLiteral("%1/%2").arg(m_screen).arg(screens));
    m_previousScreen->setEnabled(m_screen > 1);
    m_nextScreen->setEnabled(m_screen < screens);
    const bool refrain = m_song.refrainIndex() != 0 && m_stanza == m_song.refrainIndex();
    m_stanzaLabel->setText(Lang::text(Txt::InsertSongStanzaLabel) + u' '
                           + Lang::text(refrain ? Txt::InsertSongRefrain : Txt::InsertSongStanza));
    QStringList lines;
    for (int line = 0; line < kScreenLines; ++line)
        lines << m_song.lineText(m_stanza - 1, m_screen - 1, line);
    m_preview->setLines(lines);
}

int InsertSongDialog::mode() const
{
    if (m_one->isChecked())
        return InsertChoice::OneStanza;
    return m_range->isChecked() ? InsertChoice::Range : InsertChoice::WholeSong;
}

void InsertSongDialog::updateModeControls()
{
    const bool range = !m_slide && mode() == InsertChoice::Range;
    m_from->setEnabled(range);
    m_to->setEnabled(range);
}

void InsertSongDialog::accept()
{
    InsertChoice choice;
    choice.mode = m_slide ? InsertChoice::WholeSong : mode();
    choice.from = m_from->text().toInt();
    choice.to = m_to->text().toInt();
    if (choice.mode == InsertChoice::Range) {
        if (choice.from < 1) {
            errorBox(this, Lang::text(Txt::InsertSongFromTooSmall));
            m_from->setFocus();
            return;
        }
        if (choice.to > m_song.stanzaCount()) {
            errorBox(this, Lang::text(Txt::InsertSongToTooLarge));
            m_to->setFocus();
            return;
        }
        if (choice.to < choice.from) {
            errorBox(this, Lang::text(Txt::InsertSongRangeReversed));
            return;
        }
    }
    choice.stanza = m_stanza;
    if (m_song.refrainIndex() != 0 && m_stanza == m_song.refrainIndex())
        choice.stanza |= PlaylistEntry::kRefrainFlag;
    if (m_slide)
        m_song.setSequence({1});
    m_choice = choice;
    QDialog::accept();
}
