// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/card/cardformatter.h"

#include "core/app/language.h"
#include "gui/app/messageboxes.h"
#include "gui/card/cardlabeldialog.h"
#include "gui/app/udisks2driveprovider.h"

#include <QCloseEvent>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Shown while UDisks2 works; the work cannot be stopped halfway, so closing does nothing.
class FormatWaitDialog : public QDialog
{
public:
    explicit FormatWaitDialog(QWidget *parent) : QDialog(parent)
    {
        setObjectName(QStringLiteral("FormatWaitDialog"));
        setWindowTitle(Lang::text(Txt::FormatCaption));
        auto *text = new QLabel(Lang::text(Txt::FormatWait), this);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 24, 24, 24);
        layout->addWidget(text);
        setModal(true);
    }

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
    void reject() override {}
};

QString errorText(const QDBusMessage &reply)
{
    return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
}

} // namespace

bool CardFormatter::canFormat(const DriveEntry &drive)
{
    return !drive.folderCard && !drive.readOnly && drive.device.startsWith(u"/dev/");
}

QString CardFormatter::manualCommand(const QString &device, const QString &label)
{
    QString command = QStringLiteral("mkfs.fat -F 32 ");
    if (!label.isEmpty())
        command += QStringLiteral("-n ") + (label.contains(u' ') ? u'"' + label + u'"' : label) + u' ';
    return command + device;
}

CardFormatter::Result CardFormatter::format(const DriveEntry &drive)
{
    if (!canFormat(drive))
        return Result::Failed;
    if (questionBox(m_owner, Lang::text(Txt::FormatQuestion), {}, QMessageBox::NoButton, Txt::FormatCaption)
        != QMessageBox::Yes)
        return Result::Declined;
    CardLabelDialog labelDialog(drive.label, m_owner);
    if (labelDialog.exec() != QDialog::Accepted)
        return Result::Cancelled;
    const QString label = labelDialog.label();

    const QString object = m_udisks && m_udisks->hasAnswered() ? m_udisks->objectOfDevice(drive.device) : QString();
    if (object.isEmpty()) {
        infoBox(m_owner, Lang::text(Txt::FormatWithoutUDisks2).arg(drive.device, manualCommand(drive.device, label)));
        return Result::Failed;
    }
    // The block that carries the file system: formatting a partitioned card's whole disk would
    // leave a card without a partition table.
    if (!m_udisks->isRemovableFileSystem(object) || m_udisks->interfaces(object).contains(UDisks2::kPartitionTable)) {
        errorBox(m_owner, Lang::text(Txt::FormatRefused).arg(drive.device));
        return Result::Failed;
    }
    return formatWithUDisks2(object, drive, label);
}

CardFormatter::Result CardFormatter::formatWithUDisks2(const QString &object, const DriveEntry &drive,
                                                       const QString &label)
{
    const bool mounted = !m_udisks->interfaces(object)
                              .value(UDisks2::kFilesystem)
                              .value(QStringLiteral("MountPoints"))
                              .value<QByteArrayList>()
                              .isEmpty();
    FormatWaitDialog wait(m_owner);
    wait.show();
    QDBusMessage reply;
    const auto failed = [&] {
        if (reply.type() != QDBusMessage::ErrorMessage)
            return false;
        wait.hide();
        errorBox(m_owner, Lang::text(Txt::FormatFailed).arg(drive.device, errorText(reply)));
        return true;
    };
    if (mounted) {
        reply = call(object, UDisks2::kFilesystem, QStringLiteral("Unmount"), {QVariantMap()});
        if (failed())
            return Result::Failed;
    }
    const QVariantMap options{{QStringLiteral("label"), label}, {QStringLiteral("update-partition-type"), true}};
    reply = call(object, UDisks2::kBlock, QStringLiteral("Format"), {QStringLiteral("vfat"), options});
    if (failed())
        return Result::Failed;
    reply = call(object, UDisks2::kFilesystem, QStringLiteral("Mount"), {QVariantMap()});
    if (failed())
        return Result::Failed;
    // Asked, not taken from the cache: the change signals may still be on their way.
    reply = call(object, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {UDisks2::kBlock, QStringLiteral("IdVersion")});
    if (failed())
        return Result::Failed;
    wait.hide();
    const QString version = reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    if (version != u"FAT32")
        infoBox(m_owner, Lang::text(Txt::FormatNotFat32).arg(drive.device, manualCommand(drive.device, label)));
    return Result::Formatted;
}

QDBusMessage CardFormatter::call(const QString &object, const QString &interface, const QString &method,
                                 const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(UDisks2::kService, object, interface, method);
    message.setArguments(arguments);
    // Lets polkit ask for the administrator's password when an agent runs.
    message.setInteractiveAuthorizationAllowed(true);
    QDBusPendingCallWatcher watcher(m_udisks->connection().asyncCall(message, kCallTimeoutMs));
    if (!watcher.isFinished()) {
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return watcher.reply();
}
