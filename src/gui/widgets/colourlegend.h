// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

// A column of up to ten colour squares, 5 pixels apart, beside the number maps.
class ColourLegend : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxColours = 10;
    static constexpr int kGap = 5;

    explicit ColourLegend(QWidget *parent = nullptr);

    // False when the legend already holds ten colours.
    bool addColour(const QColor &colour);
    const QList<QColor> &colours() const { return m_colours; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QColor> m_colours;
};
