// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/textimportdialog.h"

#include "core/app/language.h"
#include "core/editor/textimport.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/editor/importtextedit.h"
#include "gui/widgets/songeditorlink.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char *const kBlockProperty = "block";
}

TextImportDialog::TextImportDialog(const QString &text, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TextImportDialog"));
    setControlText(this, Txt::ImportTitle);
    auto *label = new QLabel(this);
    setControlText(label, Txt::ImportLabel);
    label->setWordWrap(true);

    m_edit = new ImportTextEdit(this);
    m_edit->setAccessibleName(Lang::text(Txt::ImportTitle));
    m_boxColumn = new QWidget(this);
    int columnWidth = 0;
    for (int id : {Txt::ImportNewStanza, Txt::ImportContinuation}) {
        QCheckBox probe(Lang::text(id));
        columnWidth = qMax(columnWidth, probe.sizeHint().width());
    }
    m_boxColumn->setFixedWidth(columnWidth + 4);

    auto *middle = new QHBoxLayout;
    middle->addWidget(m_edit);
    middle->addWidget(m_boxColumn);
    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);

    connect(m_edit, &ImportTextEdit::visibleLinesChanged, this, &TextImportDialog::placeBoxes);
    m_edit->setLines(TextImport::arrangeLines(TextImport::wrapText(text)));
    label->setMaximumWidth(m_edit->width() + columnWidth + 20);
    resize(sizeHint().width(), 3 * TextImport::kBlockLines * m_edit->lineHeight() + 140);
    m_edit->setFocus();
}

// Closing a shown dialog moves the focus out of the text, which repaints it and asks for the
// boxes again: by then the list of boxes is gone, so the text stops asking first.
TextImportDialog::~TextImportDialog()
{
    disconnect(m_edit, nullptr, this, nullptr);
}

QCheckBox *TextImportDialog::blockBox(int block) const
{
    for (QCheckBox *box : m_boxes) {
        if (!box->isHidden() && box->property(kBlockProperty).toInt() == block)
            return box;
    }
    return nullptr;
}

QStringList TextImportDialog::lines() const
{
    return m_edit->lines();
}

QList<bool> TextImportDialog::continuation() const
{
    return m_edit->continuation();
}

void TextImportDialog::showBox(QCheckBox *box, bool checked)
{
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
    setControlText(box, checked ? Txt::ImportContinuation : Txt::ImportNewStanza);
}

// One box beside the first line of every block whose first line is in view.
void TextImportDialog::placeBoxes()
{
    QWidget *viewport = m_edit->viewport();
    const int height = m_edit->lineHeight();
    const int lineCount = m_edit->blockCount();
    const int firstBlock = (m_edit->firstVisibleLine() + TextImport::kBlockLines - 1) / TextImport::kBlockLines;
    int used = 0;
    for (int block = firstBlock; block < TextImport::kMaxBlocks && block * TextImport::kBlockLines < lineCount;
         ++block) {
        const int top = m_edit->lineTop(block * TextImport::kBlockLines);
        if (top + height > viewport->height())
            break;
        if (used == m_boxes.size()) {
            auto *box = new QCheckBox(m_boxColumn);
            box->setObjectName(QStringLiteral("blockBox"));
            connect(box, &QCheckBox::toggled, this, [this, box](bool checked) {
                m_edit->setContinuation(box->property(kBlockProperty).toInt(), checked);
                showBox(box, checked);
            });
            m_boxes << box;
        }
        QCheckBox *box = m_boxes[used++];
        box->setProperty(kBlockProperty, block);
        showBox(box, m_edit->isContinuation(block));
        box->adjustSize();
        const QPoint at = m_boxColumn->mapFrom(this, viewport->mapTo(this, QPoint(0, top)));
        box->move(0, at.y() + (height - box->height()) / 2);
        box->show();
    }
    for (int i = used; i < m_boxes.size(); ++i)
        m_boxes[i]->hide();
}

bool TextImportDialog::importInto(SongEditorLink &editor, QWidget *parent)
{
    TextImportDialog dialog(QApplication::clipboard()->text(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    editor.storeScreen();
    const TextImport::Outcome outcome = TextImport::importLines(editor.editedSong(), dialog.lines(),
                                                                dialog.continuation());
    if (outcome.placed > 0)
        editor.showScreen(0, 0);
    if (!outcome.complete())
        infoBox(parent, Lang::text(Txt::ImportIncomplete).arg(outcome.placed).arg(outcome.total));
    if (!outcome.foreign.isEmpty())
        infoBox(parent, Lang::text(Txt::ImportForeignLetters).arg(outcome.foreign));
    return outcome.placed > 0;
}
