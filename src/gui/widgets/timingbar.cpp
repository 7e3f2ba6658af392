// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/timingbar.h"

#include "core/app/language.h"
#include "gui/widgets/drawnitemsaccessible.h"
#include "gui/widgets/themecolours.h"

#include <QMouseEvent>
#include <QPainter>

TimingBar::TimingBar(QWidget *parent) : QWidget(parent)
{
    setMinimumHeight(60);
}

void TimingBar::setTimes(const QList<int> &times)
{
    m_times = times;
    if (m_times.isEmpty())
        m_clicked = -1;
    update();
    DrawnItemsAccessible::notifyReset(this);
}

void TimingBar::setCodes(const QList<quint32> &codes)
{
    m_codes = codes;
    update();
}

void TimingBar::setCurrentIndex(int index)
{
    m_current = index;
    update();
    DrawnItemsAccessible::notifyCurrent(this);
}

void TimingBar::setHandPointer(bool on)
{
    m_hand = on;
    setCursor(on ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QRect TimingBar::segmentRect(int index) const
{
    const int n = int(m_times.size());
    if (n == 0 || index < 0 || index >= n)
        return {};
    const int usable = width() - 1;
    const int left = usable * index / n;
    const int right = index == n - 1 ? usable - 1 : usable * (index + 1) / n;
    return QRect(QPoint(left, 0), QPoint(right, height() - 1));
}

void TimingBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (m_times.isEmpty())
        return;
    QFont timeFont(QStringLiteral("Tahoma"));
    timeFont.setPointSize(8);
    QFont labelFont(QStringLiteral("Tahoma"));
    labelFont.setPointSize(10);
    labelFont.setBold(true);

    const QPalette &colours = palette();
    const QColor currentFill = ThemeColours::background(QColor(0x00, 0xFF, 0xFF), colours);
    const QColor timedFill = ThemeColours::background(Qt::white, colours);
    // Blue has no light shade that reads on the dark fills: times turn plain light there.
    const bool dark = ThemeColours::isDark(colours);
    const QColor labelText = ThemeColours::foreground(QColor(0x00, 0x64, 0x00), colours);
    for (int i = 0; i < m_times.size(); ++i) {
        const QRect r = segmentRect(i);
        if (m_times[i] != 0 || i == m_current) {
            p.fillRect(r, i == m_current ? currentFill : timedFill);
            p.setPen(QPen(QColor(0xFF, 0x00, 0x00), 1));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        if (m_times[i] != 0) {
            p.setFont(timeFont);
            p.setPen(dark ? ThemeColours::textOn(i == m_current ? currentFill : timedFill) : QColor(0x00, 0x00, 0xFF));
            const QString time = QString::asprintf("%3.1f s", m_times[i] / 10.0);
            p.drawText(QRect(r.left(), r.bottom() - 15 - 12, r.width(), 14), Qt::AlignHCenter | Qt::AlignBottom, time);
        }
        if (i < m_codes.size()) {
            const int stanza = int(m_codes[i] >> 16);
            const bool first = i == 0 || i - 1 >= m_codes.size() || int(m_codes[i - 1] >> 16) != stanza;
            if (first) {
                p.setFont(labelFont);
                p.setPen(labelText);
                const QString label = stanza == kRefrainCode ? Lang::text(Txt::TimingBarRefrain)
                                                             : Lang::text(Txt::TimingBarStanza).arg(stanza + 1);
                p.drawText(QRect(r.left(), r.bottom() - 30 - 14, r.width(), 16), Qt::AlignHCenter | Qt::AlignBottom,
                           label);
            }
        }
    }
}

void TimingBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_times.isEmpty())
        return;
    const int segment = width() / int(m_times.size());
    if (segment <= 0)
        return;
    m_clicked = qMin(int(event->position().x()) / segment, int(m_times.size()) - 1);
    emit segmentClicked(m_clicked);
}
