// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/songeditorform.h"

#include "core/app/language.h"
#include "core/editor/songsaving.h"
#include "gui/app/icons.h"
#include "gui/editor/ledmatrix.h"
#include "gui/editor/sequencelist.h"
#include "gui/editor/titleedit.h"
#include "gui/widgets/lineicon.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

SongEditorForm::SongEditorForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("editorForm"));
    createFields();
    QHBoxLayout *top = buildTopRow();
    QVBoxLayout *navigation = buildNavigation();
    QHBoxLayout *tools = buildToolRow();
    buildSide(navigation);
    m_middle = new QBoxLayout(QBoxLayout::LeftToRight);
    m_middle->addWidget(m_matrix, 0, Qt::AlignTop | Qt::AlignLeft);
    m_middle->addLayout(m_side);
    m_middle->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(tools);
    layout->addLayout(m_middle, 1);

    m_songOnly = {m_buttons.value(u"saveSong"_qs),
                  m_buttons.value(u"stanzaPrevious"_qs),
                  m_buttons.value(u"stanzaNext"_qs),
                  m_buttons.value(u"screenPrevious"_qs),
                  m_buttons.value(u"screenNext"_qs),
                  m_buttons.value(u"stanzaAdd"_qs),
                  m_buttons.value(u"stanzaDelete"_qs),
                  m_buttons.value(u"screenAdd"_qs),
                  m_buttons.value(u"screenDelete"_qs),
                  m_buttons.value(u"screenDuplicate"_qs),
                  m_sequence,
                  m_buttons.value(u"checkNumber"_qs),
                  m_buttons.value(u"structure"_qs),
                  m_refrain,
                  m_buttons.value(u"import"_qs),
                  m_buttons.value(u"musicTiming"_qs)};
}

void SongEditorForm::createFields()
{
    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("songNumber"));
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMaxLength(4);
    m_number->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_number));
    m_number->setFixedWidth(60);
    m_title = new TitleEdit(this);
    m_title->setObjectName(QStringLiteral("songTitle"));
    m_title->setMaxLength(SongSaving::kMaxTitleLength);
    m_matrix = new LedMatrix(this);
    m_stanzaCounter = new QLineEdit(this);
    m_stanzaCounter->setObjectName(QStringLiteral("stanzaCounter"));
    m_screenCounter = new QLineEdit(this);
    m_screenCounter->setObjectName(QStringLiteral("screenCounter"));
    for (QLineEdit *counter : {m_stanzaCounter, m_screenCounter}) {
        counter->setReadOnly(true);
        counter->setFocusPolicy(Qt::NoFocus);
        counter->setAlignment(Qt::AlignCenter);
        counter->setFixedWidth(56);
    }
    m_refrain = new QCheckBox(Lang::text(Txt::RefrainBox), this);
    m_refrain->setObjectName(QStringLiteral("refrainBox"));
    m_refrain->setToolTip(Lang::text(Txt::RefrainTip));
    m_refrain->setFocusPolicy(Qt::TabFocus);
    m_sequence = new SequenceList(this);
    m_sequence->setToolTip(Lang::text(Txt::SequenceTip));
    m_sequence->setFixedWidth(150);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("songHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_heading->setTextFormat(Qt::PlainText);
}

QHBoxLayout *SongEditorForm::buildTopRow()
{
    auto *top = new QHBoxLayout;
    auto *numberLabel = new QLabel(Lang::text(Txt::NumberLabel), this);
    numberLabel->setBuddy(m_number);
    top->addWidget(numberLabel);
    top->addWidget(m_number);
    QPushButton *check = textButton(QStringLiteral("checkNumber"), Txt::CheckNumberButton, Txt::CheckNumberTip);
    top->addWidget(check);
    top->addSpacing(16);
    auto *titleLabel = new QLabel(Lang::text(Txt::TitleLabel), this);
    titleLabel->setBuddy(m_title);
    top->addWidget(titleLabel);
    top->addWidget(m_title, 1);

    return top;
}

QVBoxLayout *SongEditorForm::buildNavigation()
{
    const auto navigator = [this](int titleId, const QString &prefix, QLineEdit *counter, int previousTip,
                                  int nextTip) {
        auto *box = new QGroupBox(Lang::text(titleId), this);
        auto *grid = new QGridLayout(box);
        auto *row = new QHBoxLayout;
        row->addWidget(iconButton(prefix + u"Previous", Icons::icon(Icons::Icon::Previous), previousTip));
        row->addWidget(counter);
        row->addWidget(iconButton(prefix + u"Next", Icons::icon(Icons::Icon::Next), nextTip));
        row->addStretch();
        grid->addLayout(row, 0, 0, 1, 2);
        return grid;
    };
    QGridLayout *stanzaGrid = navigator(Txt::StanzaLabel, QStringLiteral("stanza"), m_stanzaCounter,
                                        Txt::PreviousStanzaTip, Txt::NextStanzaTip);
    stanzaGrid->addWidget(m_refrain, 1, 0, 1, 2);
    stanzaGrid->addWidget(textButton(QStringLiteral("stanzaAdd"), Txt::AddButton, Txt::AddStanzaTip), 2, 0);
    stanzaGrid->addWidget(textButton(QStringLiteral("stanzaDelete"), Txt::DeleteButton, Txt::DeleteStanzaTip), 2, 1);
    QGridLayout *screenGrid = navigator(Txt::ScreenLabel, QStringLiteral("screen"), m_screenCounter,
                                        Txt::PreviousScreenTip, Txt::NextScreenTip);
    screenGrid->addWidget(textButton(QStringLiteral("screenAdd"), Txt::AddButton, Txt::AddScreenTip), 1, 0);
    screenGrid->addWidget(textButton(QStringLiteral("screenDelete"), Txt::DeleteButton, Txt::DeleteScreenTip), 1, 1);
    screenGrid->addWidget(textButton(QStringLiteral("screenClear"), Txt::ClearButton, Txt::ClearScreenTip), 2, 0);
    screenGrid->addWidget(textButton(QStringLiteral("screenDuplicate"), Txt::DuplicateButton, Txt::DuplicateScreenTip),
                          2, 1);

    auto *navigation = new QVBoxLayout;
    navigation->addWidget(stanzaGrid->parentWidget());
    navigation->addWidget(screenGrid->parentWidget());
    navigation->addStretch();
    return navigation;
}

QHBoxLayout *SongEditorForm::buildToolRow()
{
    auto *tools = new QHBoxLayout;
    tools->setSpacing(2);
    using Icons::themedIcon;
    const struct
    {
        const char16_t *name;
        QIcon icon;
        int tip;
        bool lines; // grey strokes that need the window text colour on a dark window
    } kTools[] = {
        {u"newSong", themedIcon(u"document-new"_qs, u"new.png"_qs), Txt::NewSongTip, false},
        {u"saveSong", Icons::icon(Icons::Icon::Save), Txt::SaveSongTip, false},
        {u"saveSlide", themedIcon(u"image-x-generic"_qs, u"slide.png"_qs), Txt::SaveSlideTip, false},
        {u"alignLeft", themedIcon(u"format-justify-left"_qs, u"align-left.png"_qs), Txt::AlignLeftTip, true},
        {u"alignCentre", themedIcon(u"format-justify-center"_qs, u"align-centre.png"_qs), Txt::AlignCentreTip, true},
        {u"alignRight", themedIcon(u"format-justify-right"_qs, u"align-right.png"_qs), Txt::AlignRightTip, true},
        {u"palette", themedIcon(u"accessories-character-map"_qs, u"palette.png"_qs), Txt::PaletteTip, false},
        {u"grid", themedIcon(u"view-grid"_qs, u"grid.png"_qs), Txt::GridTip, false},
        {u"structure", themedIcon(u"view-list-tree"_qs, u"structure.png"_qs), Txt::StructureTip, true},
        {u"musicTiming", themedIcon(u"audio-x-generic"_qs, u"music.png"_qs), Txt::TimingCaption, true},
    };
    for (const auto &tool : kTools) {
        QToolButton *button = iconButton(QString::fromUtf16(tool.name), tool.icon, tool.tip);
        if (tool.lines)
            LineIcon::setOn(button, tool.icon);
        tools->addWidget(button);
    }
    m_buttons.value(u"grid"_qs)->setCheckable(true);
    m_buttons.value(u"grid"_qs)->setChecked(true);
    tools->addStretch();
    tools->addWidget(m_heading);

    return tools;
}

void SongEditorForm::buildSide(QVBoxLayout *navigation)
{
    auto *list = new QVBoxLayout;
    list->addWidget(m_sequence, 1);
    list->addWidget(textButton(QStringLiteral("import"), Txt::ImportButton, Txt::ImportTip));
    m_side = new QBoxLayout(QBoxLayout::TopToBottom);
    m_side->addLayout(navigation);
    m_side->addLayout(list, 1);
    // Under the matrix the groups keep their width and sit left; beside it the list takes the height.
    m_side->addStretch();
}

QToolButton *SongEditorForm::iconButton(const QString &name, const QIcon &icon, int tipId)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    if (tipId) {
        button->setToolTip(Lang::text(tipId));
        button->setAccessibleName(Lang::text(tipId)); // the button shows no text
    }
    m_buttons.insert(name, button);
    return button;
}

QPushButton *SongEditorForm::textButton(const QString &name, int textId, int tipId)
{
    auto *button = new QPushButton(Lang::text(textId));
    button->setObjectName(name);
    button->setAutoDefault(false);
    // A click leaves the keyboard in the matrix: Space and Enter typed there never press a button.
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolTip(Lang::text(tipId));
    m_buttons.insert(name, button);
    return button;
}

void SongEditorForm::fitWidth(int width)
{
    // The column's width when it stands beside the matrix: its widest group or the list.
    int column = m_sequence->width();
    for (int i = 0; i < m_side->count(); ++i) {
        if (QLayout *part = m_side->itemAt(i)->layout())
            column = std::max(column, part->sizeHint().width());
    }
    const QMargins margins = layout()->contentsMargins();
    const int beside = margins.left() + m_matrix->sizeHint().width() + m_middle->spacing() + column + margins.right();
    const bool fits = width >= beside;
    m_middle->setDirection(fits ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    m_side->setDirection(fits ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}
