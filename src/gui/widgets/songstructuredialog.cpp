// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/songstructuredialog.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/model/song.h"
#include "gui/app/dialogtext.h"
#include "gui/app/uifont.h"
#include "gui/widgets/songeditorlink.h"
#include "gui/widgets/boardcolours.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidgetItem *addItem(QTreeWidgetItem *parent, const QString &text, int stanza, int screen)
{
    auto *item = new QTreeWidgetItem(parent, {text});
    item->setData(0, SongStructureDialog::kStanzaRole, stanza);
    item->setData(0, SongStructureDialog::kScreenRole, screen);
    return item;
}

} // namespace

SongStructureDialog::SongStructureDialog(const Song &song, SongEditorLink *editor, QWidget *parent)
    : QDialog(parent), m_song(song), m_editor(editor)
{
    setObjectName(QStringLiteral("SongStructureDialog"));
    setControlText(this, Txt::StructureTitle);
    auto *title = new QLabel(Lang::text(Txt::TitleLabel) + u": " + song.title(), this);
    title->setObjectName(QStringLiteral("structureTitle"));
    title->setFont(uiFont());

    auto *view = new QGroupBox(this);
    setControlText(view, Txt::StructureView);
    m_simple = new QRadioButton(view);
    m_extended = new QRadioButton(view);
    setControlText(m_simple, Txt::StructureSimple);
    setControlText(m_extended, Txt::StructureExtended);
    auto *viewLayout = new QHBoxLayout(view);
    viewLayout->addWidget(m_simple);
    viewLayout->addWidget(m_extended);
    viewLayout->addStretch();

    m_tree = new QTreeWidget(this);
    m_tree->setAccessibleName(Lang::text(Txt::StructureTitle));
    m_tree->setObjectName(QStringLiteral("structureTree"));
    m_tree->setHeaderHidden(true);
    QFont treeFont = uiFont();
    treeFont.setPixelSize(12);
    m_tree->setFont(treeFont);
    m_tree->setExpandsOnDoubleClick(false);

    QDialogButtonBox *buttons = okButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(view);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons);

    m_extended->setChecked(true);
    connect(m_extended, &QRadioButton::toggled, this, &SongStructureDialog::rebuild);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &SongStructureDialog::openLine);
    rebuild();
    resize(360, 520);
}

void SongStructureDialog::setExtended(bool extended)
{
    (extended ? m_extended : m_simple)->setChecked(true);
}

bool SongStructureDialog::isExtended() const
{
    return m_extended->isChecked();
}

void SongStructureDialog::rebuild()
{
    m_tree->clear();
    if (m_song.stanzaCount() == 0) {
        m_tree->addTopLevelItem(new QTreeWidgetItem({Lang::text(Txt::StructureEmpty)}));
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
        return;
    }
    const AppSettings &settings = AppCore::instance()->settings();
    const int rows = qBound(1, settings.maxY(), kScreenLines);
    const int columns = qBound(1, settings.maxX(), kLineChars);
    for (int stanza = 0; stanza < m_song.stanzaCount(); ++stanza) {
        auto *stanzaItem = addItem(nullptr, Lang::text(Txt::StructureStanza).arg(stanza + 1), stanza, -1);
        m_tree->addTopLevelItem(stanzaItem);
        const int screens = m_song.screenCount(stanza);
        if (!isExtended()) {
            QString overview;
            for (int screen = 0; screen < screens; ++screen)
                overview += m_song.isScreenBlank(stanza, screen) ? u"X  "_qs : QString::number(screen + 1) + u' ';
            addItem(stanzaItem, overview, stanza, -1);
        } else {
            for (int screen = 0; screen < screens; ++screen) {
                auto *screenItem = addItem(stanzaItem, Lang::text(Txt::StructureScreen).arg(screen + 1), stanza,
                                           screen);
                for (int line = 0; line < rows; ++line) {
                    auto *lineItem = addItem(screenItem, m_song.lineText(stanza, screen, line).left(columns), stanza,
                                             screen);
                    lineItem->setForeground(0, BoardColours::kLit);
                    lineItem->setBackground(0, Qt::black);
                }
                screenItem->setExpanded(true);
            }
        }
        stanzaItem->setExpanded(true);
    }
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

void SongStructureDialog::openLine(QTreeWidgetItem *item)
{
    if (!m_editor || !item || !item->parent() || !item->parent()->parent())
        return;
    m_editor->storeScreen();
    m_editor->showScreen(item->data(0, kStanzaRole).toInt(), item->data(0, kScreenRole).toInt());
    accept();
}
