// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

// The start-up window: fades in over 25 ticks of 20 ms and closes itself after 100 ticks.
class SplashScreen : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 20;
    static constexpr int kAlphaStep = 10;
    static constexpr int kOpaqueAlpha = 255;
    static constexpr int kCloseAlpha = 1000;

    explicit SplashScreen(const QString &caption, QWidget *parent = nullptr);

    int alpha() const { return m_alpha; }
    QString caption() const;
    // One timer tick; public so that tests can step the fade.
    void tick();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QLabel *m_caption;
    int m_alpha = 0;
    int m_timerId = 0;
};
