// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/splashscreen.h"

#include "gui/main/ledbanner.h"

#include <QLabel>
#include <QTimerEvent>
#include <QVBoxLayout>

SplashScreen::SplashScreen(const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashScreen"));
    setModal(true);
    setStyleSheet(QStringLiteral("SplashScreen { background: #141210; }"));

    auto *picture = new QLabel(this);
    picture->setPixmap(ledBanner(QStringLiteral("LUMIVOX"), QSize(480, 150)));

    m_caption = new QLabel(caption, this);
    m_caption->setObjectName(QStringLiteral("splashCaption"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(24);
    font.setWeight(QFont::Normal);
    m_caption->setFont(font);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(QStringLiteral("color: #ffb020;"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(picture);
    layout->addWidget(m_caption);

    setWindowOpacity(0.0);
    m_timerId = startTimer(kTickMs);
}

QString SplashScreen::caption() const
{
    return m_caption->text();
}

void SplashScreen::tick()
{
    m_alpha += kAlphaStep;
    if (m_alpha < kOpaqueAlpha)
        setWindowOpacity(m_alpha / double(kOpaqueAlpha));
    else
        setWindowOpacity(1.0);
    if (m_alpha >= kCloseAlpha) {
        if (m_timerId) {
            killTimer(m_timerId);
            m_timerId = 0;
        }
        accept();
    }
}

void SplashScreen::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_timerId)
        tick();
    else
        QDialog::timerEvent(event);
}
