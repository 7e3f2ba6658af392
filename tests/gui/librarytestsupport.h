// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the library panel's tests.
#include "core/card/driveprovider.h"
#include "gui/app/messageboxes.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <utility>

namespace LibraryTest {

// Runs act on the next modal dialog of type D once it is shown. The polling timer belongs to
// the application and deletes itself once it has acted.
template <typename D>
inline void whenShown(std::function<void(D *)> act)
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog) {
            timer->setInterval(10);
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(0);
}

inline DriveEntry cardEntry(const QString &root, const QString &label = QStringLiteral("CARD"))
{
    return DriveEntry{label, root, false, QStringLiteral("FAT32"), QStringLiteral("/dev/sdz1"), false};
}

// Answers every message box (questions with answer, the others with OK) and keeps what was asked.
struct BoxRecorder
{
    QList<MessageBoxes::Request> requests;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    // Runs while a box is open, as events the user does not control would.
    std::function<void()> whileOpen;

    void install()
    {
        MessageBoxes::setResponder([this](const MessageBoxes::Request &request) {
            requests << request;
            if (whileOpen)
                std::exchange(whileOpen, {})();
            return request.buttons.testFlag(QMessageBox::Yes) ? answer : QMessageBox::Ok;
        });
    }
    void clear() { requests.clear(); }
    bool isEmpty() const { return requests.isEmpty(); }
    const MessageBoxes::Request &first() const { return requests.first(); }
    QStringList texts() const
    {
        QStringList result;
        for (const MessageBoxes::Request &request : requests)
            result << request.text;
        return result;
    }
};

} // namespace LibraryTest
