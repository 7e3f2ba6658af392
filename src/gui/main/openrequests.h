// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class MainWindow;
class ProjectActions;

// Runs what later starts ask of this one: come to the front and, with a file, open it as a
// project. While the window is not up yet, or a modal dialog (the splash, a question, a wait
// dialog around a card write) is open, the newest request waits and runs once the last closes.
class OpenRequests : public QObject
{
    Q_OBJECT
public:
    explicit OpenRequests(QObject *parent = nullptr);

    // From here on requests reach the window and its project commands.
    void attach(MainWindow *frame, ProjectActions *actions);

public slots:
    void request(const QString &uri, const QString &token);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool busy() const;
    void runWhenFree();
    void raiseWindow(const QString &token);

    QPointer<MainWindow> m_frame;
    QPointer<ProjectActions> m_actions;
    bool m_waiting = false;
    bool m_checkQueued = false;
    QString m_uri;
    QString m_token;
};
