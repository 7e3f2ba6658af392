// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/windowplace.h"

#include "core/app/appcore.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace WindowPlace {
namespace {

QSettings *store()
{
    AppCore *core = AppCore::instance();
    return core ? core->settings().store() : nullptr;
}

QString keyFor(const QString &key)
{
    return QStringLiteral("Okna/") + key;
}

} // namespace

bool restore(QWidget *window, const QString &key, bool position)
{
    QSettings *settings = store();
    const QRect kept = settings ? settings->value(keyFor(key)).toRect() : QRect();
    if (!kept.isValid())
        return false;
    window->resize(kept.size().expandedTo(window->minimumSize()));
    // A place on a screen that is gone (a projector unplugged) is not taken.
    if (position && QGuiApplication::screenAt(kept.center()))
        window->move(kept.topLeft());
    return true;
}

void remember(const QWidget *window, const QString &key)
{
    if (QSettings *settings = store()) {
        settings->setValue(keyFor(key), QRect(window->pos(), window->size()));
        settings->sync();
    }
}

QString lastChoice(const QString &key)
{
    QSettings *settings = store();
    return settings ? settings->value(QStringLiteral("Wybory/") + key).toString() : QString();
}

void rememberChoice(const QString &key, const QString &value)
{
    if (QSettings *settings = store()) {
        settings->setValue(QStringLiteral("Wybory/") + key, value);
        settings->sync();
    }
}

} // namespace WindowPlace
