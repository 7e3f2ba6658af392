// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPlainTextEdit>

// The text area of the text import: one board line per text line, never wider than a board
// line (a longer line is wrapped as soon as it appears), painted in bands of ten lines, one band
// per screen. A band is green when its block continues the stanza before it.
class ImportTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    static const QColor kNewStanza;
    static const QColor kContinuation;
    static const QColor kSeparator;

    explicit ImportTextEdit(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    QStringList lines() const;

    bool isContinuation(int block) const;
    void setContinuation(int block, bool continuation);
    const QList<bool> &continuation() const { return m_continuation; }

    int lineHeight() const;
    // The viewport y of a line's top, also for lines scrolled out of view.
    int lineTop(int line) const;
    int firstVisibleLine() const;

signals:
    // Scrolling, an edit or a resize moved the lines in view.
    void visibleLinesChanged(int lineCount, int firstLine);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void noteChange(int position, int removed, int added);
    void rewrapPending();

    QList<bool> m_continuation;
    int m_pendingFrom = -1;
    int m_pendingTo = -1;
    bool m_rewrapping = false;
};
