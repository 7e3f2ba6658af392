// SPDX-License-Identifier: GPL-3.0-or-later
// The removable-drive fallback (mountinfo, sysfs, udev) and the card label rules.
#include "core/card/cardlabel.h"
#include "core/card/mounteddriveprovider.h"
#include "core/card/mountinfo.h"
#include "core/card/udevrecord.h"
#include "testsupport.h"

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
        QTest::newRow("blank and backslash")
            << QByteArray("36 28 8:17 / /media/a\\040b\\134c rw,relatime shared:1 - vfat /dev/sdb1 rw")
            << u"/media/a b\\c"_qs << u"/dev/sdb1"_qs << false;
        QTest::newRow("no optional field, ro in mount options")
            << QByteArray("36 28 8:17 / /m ro,relatime - vfat /dev/sdb1 rw") << u"/m"_qs << u"/dev/sdb1"_qs << true;
        QTest::newRow("ro in super block options, two optional fields")
            << QByteArray("36 28 8:17 / /m rw shared:1 master:2 - fuseblk /dev/sde1 ro,allow_other") << u"/m"_qs
            << u"/dev/sde1"_qs << true;
        QTest::newRow("roo is not ro") << QByteArray("36 28 8:17 / /m rw,roo - vfat /dev/x rw,errors=ro") << u"/m"_qs
                                       << u"/dev/x"_qs << false;
        QTest::newRow("UTF-8 bytes") << QByteArray("1 2 8:1 / /media/\xc5\x9bpiew rw - vfat /dev/x rw")
                                     << u"/media/śpiew"_qs << u"/dev/x"_qs << false;
        QTest::newRow("escape cut short at the end")
            << QByteArray("1 2 8:1 / /m\\04 rw - vfat /dev/x rw") << u"/m\\04"_qs << u"/dev/x"_qs << false;
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
                                "1 2 x:1 / /a rw - vfat /dev/x rw\n"       // no device number
                                "1 2 8:1 / /b rw shared:1 vfat /dev/x rw\n" // no separator
                                "1 2 8:1 / /c rw -\n"                      // cut short
                                "\0\xff\n"
                                "1 2 8:1 / /d rw - vfat /dev/x rw";       // no line end: still read
        const QList<MountInfoEntry> entries = MountInfo::parse(QByteArray(text, sizeof text - 1));
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).mountPoint, u"/d"_qs);
    }

    void udevLabel_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("fileSystem");
        QTest::newRow("blank escaped") << QByteArray("E:ID_FS_LABEL_ENC=MY\\x20CARD\nE:ID_FS_TYPE=vfat\nE:ID_FS_VERSION=FAT16\n")
                                       << u"MY CARD"_qs << u"FAT16"_qs;
        QTest::newRow("UTF-8 in escapes") << QByteArray("E:ID_FS_LABEL_ENC=Zo\\xc5\\x9bka\\x5c\nE:ID_FS_TYPE=exfat\n")
                                          << u"Zośka\\"_qs << u"exFAT"_qs;
        QTest::newRow("invalid UTF-8 and a bad escape")
            << QByteArray("E:ID_FS_LABEL_ENC=A\\xffB\\xzz\\x4\nE:ID_FS_TYPE=ext4\n") << u"A\uFFFDB\\xzz\\x4"_qs << u"EXT4"_qs;
        QTest::newRow("other record types ignored")
            << QByteArray("S:disk/by-label/X\nE:ID_FS_LABEL=PLAIN\nI:123\nE=broken\n") << QString() << QString();
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
        QTest::newRow("FAT32") << u"vfat"_qs << u"FAT32"_qs << u"FAT32"_qs;
        QTest::newRow("FAT12") << u"vfat"_qs << u"FAT12"_qs << u"FAT12"_qs;
        QTest::newRow("vfat, size unknown") << u"vfat"_qs << QString() << u"VFAT"_qs;
        QTest::newRow("exFAT") << u"exfat"_qs << u"1.0"_qs << u"exFAT"_qs;
        QTest::newRow("NTFS") << u"ntfs"_qs << QString() << u"NTFS"_qs;
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
        for (const char *name : {"usb-stick", "sd-readonly", "emmc-system", "usb-root", "vfat-no-version", "ntfs-fuseblk"})
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
        QTest::newRow("lower case") << u"karta 1"_qs << true << u"KARTA 1"_qs;
        QTest::newRow("eleven, dash, underscore") << u"AB-CD_EF 12"_qs << true << u"AB-CD_EF 12"_qs;
        QTest::newRow("empty") << QString() << true << QString();
        QTest::newRow("twelve") << u"ABCDEFGHIJKL"_qs << false << QString();
        QTest::newRow("Polish letter") << u"ą"_qs << false << QString();
        QTest::newRow("sharp s would grow") << u"straße"_qs << false << QString();
        QTest::newRow("dot") << u"A.B"_qs << false << QString();
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
