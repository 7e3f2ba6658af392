// SPDX-License-Identifier: GPL-3.0-or-later
// The removable-drive fallback (mountinfo, sysfs, udev) and the card label rules.
#include "core/card/cardlabel.h"
#include "core/card/mounteddriveprovider.h"
#include "core/card/mountinfo.h"
#include "core/card/udevrecord.h"
#include "tablerows.h"

#include <QTest>

class TestDrives : public QObject
{
    Q_OBJECT

private slots:
    void mountInfoLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("mountPoint");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("readOnly");
        for (const QStringList &row : TestSupport::tableRows(u"drive-rules/mountinfo.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << TestSupport::unescaped(row[1]).toLatin1() << row[2] << row[3] << (row[4] == u"1");
    }

    void mountInfoLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, mountPoint);
        QFETCH(QString, source);
        QFETCH(bool, readOnly);
        const QList<MountInfoEntry> entries = MountInfo::parse(line + '\n');
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).mountPoint, mountPoint);
        QCOMPARE(entries.at(0).source, source);
        QCOMPARE(entries.at(0).readOnly, readOnly);
        QVERIFY(MountInfo::findMountPoint(entries, mountPoint + u'/'));
    }

    void mountInfoSkipsMalformedLines()
    {
        static const char text[] = "garbage\n"
                                   "1 2 x:1 / /a rw - vfat /dev/x rw\n"        // no device number
                                   "1 2 8:1 / /b rw shared:1 vfat /dev/x rw\n" // no separator
                                   "1 2 8:1 / /c rw -\n"                       // cut short
                                   "\0\xff\n"
                                   "1 2 8:1 / /d rw - vfat /dev/x rw"; // no line end: still read
        const QList<MountInfoEntry> entries = MountInfo::parse(QByteArray(text, sizeof text - 1));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).mountPoint, u"/d"_qs);
    }

    void udevLabel_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("fileSystem");
        for (const QStringList &row : TestSupport::tableRows(u"drive-rules/udev.tsv"_qs))
            QTest::newRow(qPrintable(row[0]))
                << TestSupport::unescaped(row[1]).toLatin1() << TestSupport::unescaped(row[2]) << row[3];
    }

    void udevLabel()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, label);
        QFETCH(QString, fileSystem);
        const UdevRecord parsed = UdevRecord::parse(record);
        QCOMPARE(parsed.label(), label);
        QCOMPARE(parsed.fileSystem(), fileSystem);
    }

    void fileSystemNames_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("name");
        for (const QStringList &row : TestSupport::tableRows(u"drive-rules/filesystems.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }

    void fileSystemNames()
    {
        QFETCH(QString, type);
        QFETCH(QString, version);
        QFETCH(QString, name);
        QCOMPARE(fileSystemName(type, version), name);
    }

    void fallback_data()
    {
        QTest::addColumn<QString>("folder");
        for (const char *name :
             {"usb-stick", "sd-readonly", "emmc-system", "usb-root", "vfat-no-version", "ntfs-fuseblk"})
            QTest::newRow(name) << TestSupport::testData(u"drives/"_qs + QString::fromLatin1(name));
    }

    void fallback()
    {
        QFETCH(QString, folder);
        QString listed;
        for (const DriveEntry &drive : MountedDriveProvider(folder).drives()) {
            QVERIFY(!drive.folderCard);
            listed += drive.label + u'\t' + drive.rootPath + u'\t' + QString::number(int(drive.readOnly)) + u'\t'
                + drive.fileSystem + u'\t' + drive.device + u'\n';
        }
        QCOMPARE(listed, QString::fromUtf8(TestSupport::readFile(folder + u"/expected.tsv")));
    }

    void cardLabel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("label");
        for (const QStringList &row : TestSupport::tableRows(u"drive-rules/cardlabels.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << (row[2] == u"1") << row[3];
    }

    void cardLabel()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, label);
        const std::optional<QString> result = CardLabel::fromTyped(typed);
        QCOMPARE(result.has_value(), accepted);
        if (accepted)
            QCOMPARE(*result, label);
    }
};

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
