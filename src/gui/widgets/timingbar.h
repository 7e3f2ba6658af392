// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

// The timing bar: one segment per screen with its time, the current screen in cyan and the
// first screen of each stanza labelled. A click picks a segment for the owner to read.
class TimingBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRefrainCode = 114;

    explicit TimingBar(QWidget *parent = nullptr);

    // Screen times in tenths of a second. An empty list shows nothing.
    void setTimes(const QList<int> &times);
    // Per screen: stanza index (or 114 for the refrain) in the high 16 bits, screen index in the low.
    void setCodes(const QList<quint32> &codes);
    void setCurrentIndex(int index);
    void setHandPointer(bool on);

    const QList<int> &times() const { return m_times; }
    int currentIndex() const { return m_current; }
    // The stanza and screen code of segment i, 0 when none was set.
    quint32 codeOf(int index) const { return m_codes.value(index); }
    // The segment clicked last, -1 when none or when there is no time list.
    int clickedIndex() const { return m_clicked; }
    // The rectangle of segment i.
    QRect segmentRect(int index) const;

signals:
    void segmentClicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QList<int> m_times;
    QList<quint32> m_codes;
    int m_current = 0;
    int m_clicked = -1;
    bool m_hand = false;
};
