// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/icons.h"

#include "core/app/appcore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Icons {

namespace {

QString bundledIconDir()
{
    if (const AppCore *core = AppCore::instance())
        return core->dirs().resourceDir + u"icons/";
    return QCoreApplication::applicationDirPath() + u"/../share/lumivox/icons/";
}

} // namespace

QIcon themedIcon(const QString &themeName, const QString &bundledFile)
{
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    const QString path = bundledIconDir() + bundledFile;
    return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

QIcon icon(Icon which)
{
    switch (which) {
    case Icon::Previous:
        return themedIcon(QStringLiteral("go-previous"), QStringLiteral("previous.png"));
    case Icon::Next:
        return themedIcon(QStringLiteral("go-next"), QStringLiteral("next.png"));
    case Icon::RowUp:
        return themedIcon(QStringLiteral("go-up"), QStringLiteral("row-up.png"));
    case Icon::RowDown:
        return themedIcon(QStringLiteral("go-down"), QStringLiteral("row-down.png"));
    case Icon::Export:
        return themedIcon(QStringLiteral("document-export"), QStringLiteral("export.png"));
    case Icon::Save:
        return themedIcon(QStringLiteral("document-save"), QStringLiteral("save.png"));
    case Icon::Speaker:
        return themedIcon(QStringLiteral("audio-volume-high"), QStringLiteral("speaker.png"));
    case Icon::SpeakerMuted:
        return themedIcon(QStringLiteral("audio-volume-muted"), QStringLiteral("speaker-muted.png"));
    }
    return {};
}

} // namespace Icons
