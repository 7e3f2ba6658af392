// SPDX-License-Identifier: GPL-3.0-or-later
// The UDisks2 drive provider and the card formatter against a fake service on a private bus.
#include "core/app/language.h"
#include "gui/card/cardformatter.h"
#include "gui/card/cardlabeldialog.h"
#include "gui/app/udisks2driveprovider.h"
#include "fakeudisks2.h"
#include "gui/librarytestsupport.h"
#include "tablerows.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace FakeUDisks2;
using LibraryTest::BoxRecorder;

namespace {

const QString kStick = path(u"block_devices/sdb1"_qs);

DriveEntry stickEntry()
{
    return {u"MY CARD"_qs, u"/media/u/MY CARD/"_qs, false, u"FAT32"_qs, u"/dev/sdb1"_qs, false};
}

QStringList roots(const QList<DriveEntry> &drives)
{
    QStringList result;
    for (const DriveEntry &drive : drives)
        result << drive.label + u' ' + drive.rootPath + u' ' + drive.fileSystem + u' ' + drive.device;
    return result;
}

} // namespace

class TestUDisks2 : public QObject
{
    Q_OBJECT

    QProcess m_daemon;
    QString m_address;
    std::unique_ptr<Service> m_service;
    int m_connections = 0;
    BoxRecorder m_boxes;
    std::unique_ptr<QWidget> m_owner; // of the formatter's boxes, answered by m_boxes

    std::unique_ptr<UDisks2DriveProvider> answeredProvider()
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(m_address, u"client%1"_qs.arg(m_connections));
        auto provider = std::make_unique<UDisks2DriveProvider>(bus);
        // Answered, and the card reader's automatic mount done, so that it calls nothing later.
        if (!QTest::qWaitFor([&] { return provider->drives().size() == 2; }, 10000))
            return {};
        return provider;
    }

private slots:
    void initTestCase()
    {
        TestSupport::initApplicationIdentity();
        QVERIFY(Lang::load(TestSupport::shippedLanguageDir(), u"Polski"_qs) == Lang::LoadResult::Loaded);
        // A bus of our own: CI machines and containers have no system bus, and the real one must not be touched.
        m_daemon.start(u"dbus-daemon"_qs,
                       {u"--session"_qs, u"--nofork"_qs, u"--nopidfile"_qs, u"--print-address=1"_qs});
        if (!m_daemon.waitForStarted(5000))
            QSKIP("dbus-daemon cannot be started (scripts/install-deps installs it)");
        QVERIFY2(m_daemon.waitForReadyRead(10000), "dbus-daemon printed no address");
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
        QVERIFY(!m_address.isEmpty());
    }

    void init()
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(m_address, u"service%1"_qs.arg(++m_connections));
        QVERIFY(bus.isConnected());
        m_service = std::make_unique<Service>(bus);
        m_service->objects = {
            {QDBusObjectPath(path(u"drives/Stick"_qs)), {{kDrive, drive(true, u"usb"_qs)}}},
            {QDBusObjectPath(path(u"drives/Internal"_qs)), {{kDrive, drive(false, u"sata"_qs)}}},
            {QDBusObjectPath(path(u"drives/Reader"_qs)), {{kDrive, drive(false, u"sdio"_qs)}}},
            {QDBusObjectPath(path(u"block_devices/sdb"_qs)),
             {{kBlock, block("/dev/sdb", u"drives/Stick"_qs, {})}, {u"org.freedesktop.UDisks2.PartitionTable"_qs, {}}}},
            {QDBusObjectPath(kStick),
             partition("/dev/sdb1", u"drives/Stick"_qs, u"FAT32"_qs, {QByteArray("/media/u/MY CARD") + '\0'},
                       u"MY CARD"_qs)},
            {QDBusObjectPath(path(u"block_devices/sdb2"_qs)),
             partition("/dev/sdb2", u"drives/Stick"_qs, u"FAT32"_qs, {"/media/u/system"}, {}, true)},
            {QDBusObjectPath(path(u"block_devices/sda1"_qs)),
             partition("/dev/sda1", u"drives/Internal"_qs, u"FAT32"_qs, {"/boot"})},
            {QDBusObjectPath(path(u"block_devices/mmcblk0p1"_qs)),
             partition("/dev/mmcblk0p1", u"drives/Reader"_qs, u"FAT16"_qs, {})},
        };
        QVERIFY(m_service->start());
        m_boxes = {};
        m_owner = std::make_unique<QWidget>();
        installSeams(m_owner.get()).responder = m_boxes.responder();
    }

    void cleanup()
    {
        m_service.reset();
        QDBusConnection::disconnectFromBus(u"service%1"_qs.arg(m_connections));
        m_owner.reset();
    }

    void cleanupTestCase()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }

    void listsAndFollowsSignals()
    {
        const auto provider = answeredProvider();
        QVERIFY(provider);
        // The card reader's file system is HintAuto and unmounted: mounted once; the mount point
        // arrives without its NUL.
        QTRY_COMPARE(roots(provider->drives()),
                     QStringList({u"MY CARD /media/u/MY CARD/ FAT32 /dev/sdb1"_qs,
                                  u"mounted /media/u/mounted/ FAT16 /dev/mmcblk0p1"_qs}));
        QCOMPARE(m_service->count(u"Mount"_qs), 1);

        const int calls = m_service->calls.size();
        const QString reader = path(u"block_devices/mmcblk0p1"_qs);
        m_service->change(reader, kFilesystem, mountPoints({})); // unmounted by someone: not mounted again
        m_service->change(path(u"block_devices/gone"_qs), kBlock, {{u"IdLabel"_qs, u"X"_qs}}); // unknown object
        m_service->add(u"block_devices/sdc1"_qs,
                       partition("/dev/sdc1", u"drives/Stick"_qs, u"FAT32"_qs, {"/media/u/N\\o wa"}, u"NOWA"_qs));
        m_service->remove(u"block_devices/sdb1"_qs);
        m_service->change(path(u"block_devices/sdc1"_qs), kFilesystem, mountPoints({"/media/u/again"}));
        QTRY_COMPARE(roots(provider->drives()), QStringList({u"NOWA /media/u/again/ FAT32 /dev/sdc1"_qs}));
        for (int i = 0; i < 10; ++i)
            provider->drives();
        QCOMPARE(m_service->calls.size(), calls); // neither the polls nor the unmount called the service
    }

    void fallsBackWithoutService()
    {
        auto fallback = std::make_shared<FakeDriveProvider>();
        fallback->setDrives({LibraryTest::cardEntry(u"/media/u/FALLBACK/"_qs)});
        // No bus at all, then a bus whose service is gone: the fallback answers at once.
        RemovableDriveProvider noBus(std::make_shared<UDisks2DriveProvider>(QDBusConnection(u"none"_qs)), fallback);
        QCOMPARE(noBus.drives(), fallback->drives());

        QDBusConnection service = QDBusConnection(u"service%1"_qs.arg(m_connections));
        QVERIFY(service.unregisterService(kService));
        const QDBusConnection bus = QDBusConnection::connectToBus(m_address, u"client%1"_qs.arg(m_connections));
        auto udisks = std::make_shared<UDisks2DriveProvider>(bus);
        RemovableDriveProvider removable(udisks, fallback);
        QCOMPARE(removable.drives(), fallback->drives());
        // The service starts later (activation, a restarted daemon): its list replaces the fallback.
        QVERIFY(service.registerService(kService));
        QTRY_VERIFY(udisks->hasAnswered());
        QCOMPARE(removable.drives().value(0).device, u"/dev/sdb1"_qs);
        // It stops again: back to the fallback.
        QVERIFY(service.unregisterService(kService));
        QTRY_VERIFY(!udisks->hasAnswered());
        QCOMPARE(removable.drives(), fallback->drives());
    }

    void format_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("formatError");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        const QStringList results{u"Formatted"_qs, u"Declined"_qs, u"Cancelled"_qs, u"Failed"_qs};
        for (const QStringList &row : TestSupport::tableRows(u"udisks2/format.tsv"_qs)) {
            QStringList message = row[6].split(u'|', Qt::SkipEmptyParts);
            QString text = message.isEmpty() ? QString()
                                             : Lang::text(TestSupport::textIds(message.takeFirst()).first());
            for (const QString &argument : message)
                text = text.arg(argument);
            QTest::newRow(qPrintable(row[0])) << row[1] << (row[2] == u"Yes" ? QMessageBox::Yes : QMessageBox::No)
                                              << row[3] << row[4] << int(results.indexOf(row[5])) << text;
        }
    }

    void format()
    {
        QFETCH(QString, device);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, formatError);
        QFETCH(QString, version);
        QFETCH(int, result);
        QFETCH(QString, message);
        const auto provider = answeredProvider();
        QVERIFY(provider);
        m_service->formatError = formatError;
        m_service->versionAfterFormat = version;
        m_boxes.answer = answer;
        DriveEntry drive = stickEntry();
        drive.device = device;
        QString shownLabel;
        if (answer == QMessageBox::Yes) {
            LibraryTest::whenShown<CardLabelDialog>([&](CardLabelDialog *dialog) {
                shownLabel = dialog->name();
                dialog->edit()->setText(u"karta 1"_qs);
                dialog->accept();
            });
        }
        const int before = m_service->calls.size();
        QCOMPARE(int(CardFormatter(m_owner.get(), provider.get()).format(drive)), result);

        QCOMPARE(shownLabel, answer == QMessageBox::Yes ? u"MY CARD"_qs : QString()); // the current label, valid
        QCOMPARE(m_boxes.texts().mid(1), message.isEmpty() ? QStringList() : QStringList{message});
        QStringList called;
        for (const Call &call : m_service->calls.mid(before))
            called << call.member + u' ' + call.path.section(u'/', -1);
        if (result == int(CardFormatter::Result::Formatted) || !formatError.isEmpty()) {
            QCOMPARE(called.mid(0, 2), QStringList({u"Unmount sdb1"_qs, u"Format sdb1"_qs}));
            const Call &format = m_service->calls.at(before + 1);
            QCOMPARE(format.arguments.value(0).toString(), u"vfat"_qs);
            const QVariantMap options = qdbus_cast<QVariantMap>(format.arguments.value(1));
            QCOMPARE(options.value(u"label"_qs).toString(), u"KARTA 1"_qs);
            QCOMPARE(options.value(u"update-partition-type"_qs).toBool(), true);
            QCOMPARE(called.mid(2),
                     formatError.isEmpty() ? QStringList({u"Mount sdb1"_qs, u"Get sdb1"_qs}) : QStringList());
        } else {
            QCOMPARE(called, QStringList());
        }
    }

    void refusedLabelKeepsTheDialogOpen()
    {
        const auto provider = answeredProvider();
        QVERIFY(provider);
        bool stillOpen = false;
        LibraryTest::whenShown<CardLabelDialog>([&](CardLabelDialog *dialog) {
            dialog->edit()->setText(u"ą"_qs);
            dialog->accept();
            stillOpen = dialog->isVisible();
            dialog->reject();
        });
        const int before = m_service->calls.size();
        QCOMPARE(CardFormatter(m_owner.get(), provider.get()).format(stickEntry()), CardFormatter::Result::Cancelled);
        QVERIFY(stillOpen);
        QCOMPARE(m_boxes.texts().mid(1), QStringList{Lang::text(Txt::CardLabelInvalid)});
        QCOMPARE(m_service->calls.size(), before);
    }

    void withoutUDisks2NothingRuns()
    {
        LibraryTest::whenShown<CardLabelDialog>([](CardLabelDialog *dialog) { dialog->accept(); });
        QCOMPARE(CardFormatter(m_owner.get(), nullptr).format(stickEntry()), CardFormatter::Result::Failed);
        QCOMPARE(m_boxes.texts().mid(1),
                 QStringList{Lang::text(Txt::FormatWithoutUDisks2)
                                 .arg(u"/dev/sdb1"_qs, u"mkfs.fat -F 32 -n \"MY CARD\" /dev/sdb1"_qs)});
        // A folder card or a read-only card is never formatted, not even asked about.
        DriveEntry folder = stickEntry();
        folder.folderCard = true;
        DriveEntry readOnly = stickEntry();
        readOnly.readOnly = true;
        m_boxes.clear();
        QCOMPARE(CardFormatter(m_owner.get(), nullptr).format(folder), CardFormatter::Result::Failed);
        QCOMPARE(CardFormatter(m_owner.get(), nullptr).format(readOnly), CardFormatter::Result::Failed);
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestUDisks2)
#include "tst_udisks2.moc"
