// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/desktopscheme.h"

#include "gui/widgets/themecolours.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStyle>
#include <QStyleFactory>

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
// A portal that is not running may be started by the bus; the program does not wait for it longer.
constexpr int kReadTimeoutMs = 300;

} // namespace

DesktopScheme::DesktopScheme(const QDBusConnection &bus, QObject *parent) : QObject(parent)
{
    if (!bus.isConnected())
        return;
    QDBusConnection connection(bus);
    connection.connect(kPortalService, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
                       SLOT(settingChanged(QDBusMessage)));
    QDBusMessage read = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kSettings, QStringLiteral("Read"));
    read << kAppearance << kColorScheme;
    const QDBusMessage reply = connection.call(read, QDBus::Block, kReadTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        apply(fromPortalValue(reply.arguments().constFirst()));
}

DesktopScheme::Preference DesktopScheme::fromPortalValue(const QVariant &value)
{
    QVariant inner = value;
    while (inner.metaType() == QMetaType::fromType<QDBusVariant>())
        inner = inner.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = inner.toUInt(&ok);
    if (!ok || inner.metaType() == QMetaType::fromType<QString>())
        return Preference::None;
    return scheme == 1 ? Preference::Dark : scheme == 2 ? Preference::Light : Preference::None;
}

void DesktopScheme::apply(Preference preference)
{
    const bool applied = !m_styleName.isEmpty();
    if (preference == Preference::Dark) {
        if (applied || ThemeColours::isDark(QApplication::palette()))
            return;
        m_styleName = QApplication::style()->name();
        m_palette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(ThemeColours::darkPalette());
        return;
    }
    if (!applied)
        return;
    QApplication::setStyle(QStyleFactory::create(m_styleName));
    QApplication::setPalette(m_palette);
    m_styleName.clear();
}

void DesktopScheme::settingChanged(const QDBusMessage &message)
{
    const QVariantList arguments = message.arguments();
    if (arguments.size() == 3 && arguments[0] == kAppearance && arguments[1] == kColorScheme)
        apply(fromPortalValue(arguments[2]));
}
