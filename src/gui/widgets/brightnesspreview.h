// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

// A screen's ten lines in the colour the board shows at a given brightness (0..100 %).
class BrightnessPreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kLines = 10;
    static constexpr int kLineHeight = 14;

    explicit BrightnessPreview(QWidget *parent = nullptr);

    void setLine(int index, const QString &text);
    QString line(int index) const { return m_lines.value(index); }
    void setBrightness(int brightness);
    int brightness() const { return m_brightness; }
    // The text colour for a brightness.
    static QColor textColour(int brightness);

    QSize sizeHint() const override { return {180, kLines * kLineHeight}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_lines;
    int m_brightness = 30;
};
