// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/importtextedit.h"

#include "core/editor/textimport.h"
#include "gui/app/uifont.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

const QColor ImportTextEdit::kNewStanza{0xDF, 0xF4, 0xEE};
const QColor ImportTextEdit::kContinuation{0x80, 0xFF, 0x80};
const QColor ImportTextEdit::kSeparator{0x00, 0x00, 0xFF};

namespace {

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Where a cursor at offset in the old line lands in its wrapped text: after the same number of
// visible characters and, where they are still there, the blanks that followed them.
int mapOffset(const QString &old, int offset, const QString &wrapped)
{
    int visible = 0;
    int blanks = 0;
    for (int i = 0; i < offset; ++i) {
        if (old[i] == u' ') {
            ++blanks;
        } else {
            ++visible;
            blanks = 0;
        }
    }
    int at = 0;
    for (int seen = 0; at < wrapped.size() && seen < visible; ++at) {
        if (wrapped[at] != u' ' && wrapped[at] != u'\n')
            ++seen;
    }
    for (; at < wrapped.size() && blanks > 0 && (wrapped[at] == u' ' || wrapped[at] == u'\n'); --blanks)
        ++at;
    return at;
}

} // namespace

ImportTextEdit::ImportTextEdit(QWidget *parent) : QPlainTextEdit(parent), m_continuation(TextImport::kMaxBlocks, false)
{
    setObjectName(QStringLiteral("importText"));
    QFont font = uiFont();
    font.setPixelSize(16);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int textWidth = QFontMetrics(font).horizontalAdvance(QString(TextImport::kLineWidth + 1, u'M'));
    setFixedWidth(textWidth + 2 * int(document()->documentMargin()) + 2 * frameWidth()
                  + verticalScrollBar()->sizeHint().width());
    connect(document(), &QTextDocument::contentsChange, this, &ImportTextEdit::noteChange);
    connect(this, &QPlainTextEdit::updateRequest, this,
            [this] { emit visibleLinesChanged(blockCount(), firstVisibleLine()); });
}

void ImportTextEdit::setLines(const QStringList &lines)
{
    m_rewrapping = true;
    setPlainText(lines.join(u'\n'));
    m_rewrapping = false;
    m_pendingFrom = m_pendingTo = -1;
    emit visibleLinesChanged(blockCount(), firstVisibleLine());
}

QStringList ImportTextEdit::lines() const
{
    QStringList result;
    result.reserve(blockCount());
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
        result.append(block.text());
    return result;
}

bool ImportTextEdit::isContinuation(int block) const
{
    return block >= 0 && block < m_continuation.size() && m_continuation[block];
}

void ImportTextEdit::setContinuation(int block, bool continuation)
{
    if (block < 0 || block >= m_continuation.size() || m_continuation[block] == continuation)
        return;
    m_continuation[block] = continuation;
    viewport()->update();
}

int ImportTextEdit::firstVisibleLine() const
{
    return firstVisibleBlock().blockNumber();
}

int ImportTextEdit::lineHeight() const
{
    const QTextBlock first = firstVisibleBlock();
    const int height = first.isValid() ? int(blockBoundingRect(first).height()) : 0;
    return height > 0 ? height : fontMetrics().lineSpacing();
}

int ImportTextEdit::lineTop(int line) const
{
    const QTextBlock first = firstVisibleBlock();
    const int top = int(blockBoundingGeometry(first).translated(contentOffset()).top());
    return top + (line - first.blockNumber()) * lineHeight();
}

// Edits are wrapped right after the key or paste that made them; any other change (undo from the
// context menu) is wrapped once control returns to the event loop.
void ImportTextEdit::noteChange(int position, int, int added)
{
    if (m_rewrapping)
        return;
    if (m_pendingFrom < 0) {
        m_pendingFrom = position;
        m_pendingTo = position + added;
        QMetaObject::invokeMethod(this, &ImportTextEdit::rewrapPending, Qt::QueuedConnection);
    } else {
        m_pendingFrom = 0; // several changes: their positions shifted, look at every line
        m_pendingTo = document()->characterCount();
    }
}

void ImportTextEdit::keyPressEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyPressEvent(event);
    rewrapPending();
}

void ImportTextEdit::insertFromMimeData(const QMimeData *source)
{
    QPlainTextEdit::insertFromMimeData(source);
    rewrapPending();
}

void ImportTextEdit::rewrapPending()
{
    if (m_pendingFrom < 0)
        return;
    QTextDocument *doc = document();
    const QTextBlock first = doc->findBlock(m_pendingFrom);
    QTextBlock block = doc->findBlock(qMin(m_pendingTo, doc->characterCount() - 1));
    m_pendingFrom = m_pendingTo = -1;
    if (!first.isValid() || !block.isValid())
        return;

    m_rewrapping = true;
    QTextCursor user = textCursor();
    int userPosition = user.position();
    QTextCursor edit(doc);
    edit.joinPreviousEditBlock(); // one undo step with the typing that caused it
    // Last line first, so that the positions of the lines before stay valid.
    for (; block.isValid() && block.blockNumber() >= first.blockNumber(); block = block.previous()) {
        const QString text = block.text();
        QString cleaned = text;
        for (QChar &c : cleaned) {
            if (isControl(c))
                c = u' ';
        }
        if (cleaned.size() <= TextImport::kLineWidth && cleaned == text)
            continue;
        const QString wrapped = TextImport::wrapParagraph(cleaned).join(u'\n');
        const int start = block.position();
        const int end = start + int(text.size());
        edit.setPosition(start);
        edit.setPosition(end, QTextCursor::KeepAnchor);
        edit.insertText(wrapped);
        const int shift = int(wrapped.size()) - int(text.size());
        if (userPosition >= start && userPosition <= end)
            userPosition = start + mapOffset(cleaned, userPosition - start, wrapped);
        else if (userPosition > end)
            userPosition += shift;
    }
    edit.endEditBlock();
    user.setPosition(qBound(0, userPosition, doc->characterCount() - 1));
    setTextCursor(user);
    m_rewrapping = false;
}

void ImportTextEdit::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(viewport());
        const int height = lineHeight();
        const int width = viewport()->width();
        int line = firstVisibleLine();
        for (int y = lineTop(line); y < viewport()->height(); y += height, ++line) {
            p.fillRect(0, y, width, height,
                       isContinuation(line / TextImport::kBlockLines) ? kContinuation : kNewStanza);
            if (line > 0 && line % TextImport::kBlockLines == 0) {
                p.setPen(kSeparator);
                p.drawLine(0, y, width, y);
            }
        }
    }
    QPlainTextEdit::paintEvent(event);
}

void ImportTextEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    emit visibleLinesChanged(blockCount(), firstVisibleLine());
}
