// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/openrequests.h"

#include "core/app/instancemessage.h"
#include "core/app/language.h"
#include "gui/main/mainwindow.h"
#include "gui/main/projectactions.h"

#include <QApplication>
#include <QEvent>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {
constexpr int kStatusMs = 10000;
}

OpenRequests::OpenRequests(QObject *parent) : QObject(parent) {}

void OpenRequests::attach(MainWindow *frame, ProjectActions *actions)
{
    m_frame = frame;
    m_actions = actions;
    if (m_waiting)
        runWhenFree();
}

void OpenRequests::request(const QString &uri, const QString &token)
{
    // A newer request replaces one still waiting.
    m_uri = uri;
    m_token = token;
    if (!m_waiting) {
        m_waiting = true;
        qApp->installEventFilter(this);
    }
    runWhenFree();
}

bool OpenRequests::busy() const
{
    return !m_frame || !m_actions || QApplication::activeModalWidget() != nullptr;
}

void OpenRequests::runWhenFree()
{
    if (!m_waiting)
        return;
    if (busy()) {
        if (m_frame && !m_uri.isEmpty())
            m_frame->statusBar()->showMessage(Lang::text(Txt::OpenRequestWaiting).arg(QUrl(m_uri).toLocalFile()),
                                              kStatusMs);
        return;
    }
    m_waiting = false;
    qApp->removeEventFilter(this);
    const QString uri = m_uri;
    const QString token = m_token;
    m_uri.clear();
    m_token.clear();

    if (uri.isEmpty()) {
        raiseWindow(token);
        return;
    }
    const QString path = InstanceMessage::projectPath(uri);
    if (path.isEmpty()) {
        m_frame->statusBar()->showMessage(Lang::text(Txt::OpenRequestRefused).arg(uri.left(200)), kStatusMs);
        return;
    }
    raiseWindow(token);
    m_actions->openProject(path);
}

bool OpenRequests::eventFilter(QObject *watched, QEvent *event)
{
    // A window closing may end the last modal dialog: check once the closing has settled.
    if (event->type() == QEvent::Hide && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()
        && !m_checkQueued) {
        m_checkQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_checkQueued = false;
            runWhenFree();
        });
    }
    return false;
}

void OpenRequests::raiseWindow(const QString &token)
{
    // Wayland grants focus to a window activated with the requesting start's token.
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    if (m_frame->isMinimized())
        m_frame->showNormal();
    m_frame->raise();
    m_frame->activateWindow();
}
