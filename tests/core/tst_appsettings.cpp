// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appcore.h"
#include "core/app/appsettings.h"
#include "core/app/musicmap.h"
#include "core/app/recentfiles.h"
#include "core/app/songgroup.h"
#include "testsupport.h"

#include <QBuffer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestAppSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString iniPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

private slots:
    void init() { QFile::remove(iniPath()); }

    // An empty store and one that cannot be parsed give the same defaults.
    void defaults_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("empty store") << QByteArray();
        QTest::newRow("corrupt store") << QByteArray("\x00\xff[[[garbage\nMaxX=abc\n\x01\x02", 24);
    }
    void defaults()
    {
        QFETCH(QByteArray, ini);
        if (!ini.isEmpty())
            QVERIFY(TestSupport::writeFile(iniPath(), ini));
        QSettings store(iniPath(), QSettings::IniFormat);
        AppSettings settings(&store);
        QVERIFY(settings.load());
        QCOMPARE(settings.maxX(), 20);
        QCOMPARE(settings.maxY(), 10);
        QCOMPARE(settings.lastLanguage(), QStringLiteral("Polski"));
        QCOMPARE(settings.charset(), 0);
        QCOMPARE(settings.lyricsDir(), QStringLiteral("Teksty"));
        QCOMPARE(settings.screenDir(), QStringLiteral("Ekrany"));
        QCOMPARE(settings.fontDir(), QStringLiteral("Font"));
        QCOMPARE(settings.lastFont(), QStringLiteral("Font_V1.fnt"));
        QVERIFY(settings.lastDir().isEmpty());
        QVERIFY(settings.lastImportDir().isEmpty());
        QVERIFY(settings.lastMusicDir().isEmpty());
        QCOMPARE(settings.lineMode(), AppSettings::TenRows);
    }

    void loadWithoutStoreFails()
    {
        AppSettings settings;
        QVERIFY(!settings.load());
        QVERIFY(!settings.save(false));
    }

    void charsetDerivation_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("charset");
        QTest::newRow("Polski") << QStringLiteral("Polski") << 0;
        QTest::newRow("Deutsch") << QStringLiteral("Deutsch") << 0;
        QTest::newRow("Slovensky") << QStringLiteral("Slovensky") << 0;
        QTest::newRow("Česky") << QStringLiteral("Česky") << 0;
        QTest::newRow("English is Latin on purpose") << QStringLiteral("English") << 0;
        QTest::newRow("Русский") << QStringLiteral("Русский") << 1;
        QTest::newRow("Ukrainian") << QStringLiteral("Ukrainian") << 1;
        QTest::newRow("lower-case polski is not the name") << QStringLiteral("polski") << 1;
    }
    void charsetDerivation()
    {
        QFETCH(QString, language);
        QFETCH(int, charset);
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Ustawienia programu/LastLang"), language);
        AppSettings settings(&store);
        settings.load();
        QCOMPARE(settings.charset(), charset);
    }

    void saveWritesEveryKeyAndReadsBack()
    {
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            AppSettings settings(&store);
            settings.load();
            settings.setLyricsDir(QStringLiteral("/media/card/Teksty"));
            settings.setScreenDir(QStringLiteral("/home/u/Ekrany/"));
            settings.setLastLanguage(QStringLiteral("Deutsch"));
            settings.setLineMode(AppSettings::SixRows);
            settings.setLastMusicDir(QStringLiteral("/music"));
            QVERIFY(settings.save(false));
        }
        QSettings raw(iniPath(), QSettings::IniFormat);
        raw.beginGroup(AppSettings::kSection);
        const QStringList keys = raw.childKeys();
        for (const char *key : {"Last Font", "Font Dir", "Lyrics Dir", "Screen Dir", "LastLang", "LastDir",
                                "LastImportDir", "LastMusicDir", "MaxX", "MaxY"})
            QVERIFY2(keys.contains(QString::fromLatin1(key)), key);
        QCOMPARE(raw.value(QStringLiteral("Lyrics Dir")).toString(), QStringLiteral("/media/card/Teksty"));
        QCOMPARE(raw.value(QStringLiteral("Screen Dir")).toString(), QStringLiteral("/home/u/Ekrany"));
        QCOMPARE(raw.value(QStringLiteral("MaxX")).toInt(), 16);
        QCOMPARE(raw.value(QStringLiteral("MaxY")).toInt(), 6);
        raw.endGroup();

        AppSettings back(&raw);
        back.load();
        QCOMPARE(back.lyricsParent(), QStringLiteral("/media/card"));
        QCOMPARE(back.lyricsName(), QStringLiteral("Teksty"));
        QCOMPARE(back.screenName(), QStringLiteral("Ekrany"));
        QCOMPARE(back.charset(), 0);
        QCOMPARE(back.lineMode(), AppSettings::SixRows);
    }

    // A store that cannot be written says so after sync().
    void saveReportsAStoreThatCannotBeWritten()
    {
        QVERIFY(TestSupport::writeFile(m_dir.filePath(u"plain"_qs), "a file, not a folder"));
        QSettings store(m_dir.filePath(u"plain/settings.ini"_qs), QSettings::IniFormat);
        AppSettings settings(&store);
        settings.load();
        settings.setLastLanguage(u"Deutsch"_qs);
        QVERIFY(!settings.save(false));
    }

    void lineModeShowsAnyOtherRowCountAsSix()
    {
        AppSettings settings;
        settings.setMaxY(8);
        QCOMPARE(settings.lineMode(), AppSettings::SixRows);
        settings.setLineMode(AppSettings::TenRows);
        QCOMPARE(settings.maxX(), 20);
        QCOMPARE(settings.maxY(), 10);
    }

    void groupsAreStoredInAll32Slots()
    {
        SongGroupList groups = {
            {QStringLiteral("Adwent"), 0xFF0000, 1, 99},
            {QStringLiteral("Wielki Post"), 0x00FF00, 100, 199},
            {QStringLiteral("Maryjne"), 0x123456, 1000, 1999},
        };
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            // A stale fourth group from an earlier save must be overwritten.
            store.setValue(QStringLiteral("GroupColor/G4N"), QStringLiteral("Old"));
            saveGroups(store, groups);
        }
        QSettings store(iniPath(), QSettings::IniFormat);
        store.beginGroup(QStringLiteral("GroupColor"));
        QCOMPARE(store.childKeys().size(), 64);
        for (int slot = 4; slot <= 32; ++slot) {
            QCOMPARE(store.value(QStringLiteral("G%1N").arg(slot)).toString(), QString());
            QCOMPARE(store.value(QStringLiteral("G%1D").arg(slot)).toByteArray(), QByteArray::fromHex("ffffff00000000"));
        }
        QCOMPARE(store.value(QStringLiteral("G3D")).toByteArray(), QByteArray::fromHex("12345603e807cf"));
        store.endGroup();
        QCOMPARE(loadGroups(store), groups);
    }

    void loadingStopsAtFirstEmptyName()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("GroupColor/G1N"), QStringLiteral("A"));
        store.setValue(QStringLiteral("GroupColor/G1D"), QByteArray::fromHex("0000ff00010002"));
        store.setValue(QStringLiteral("GroupColor/G3N"), QStringLiteral("C"));
        const SongGroupList groups = loadGroups(store);
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups[0].colour, 0x0000FFu);
        QCOMPARE(groups[0].firstNumber, 1);
        QCOMPARE(groups[0].lastNumber, 2);
    }

    void shortGroupValueReadsAsEmptySlotBytes()
    {
        const SongGroup g = SongGroup::fromStored(QStringLiteral("X"), QByteArray::fromHex("102030"));
        QCOMPARE(g.colour, 0x102030u);
        QCOMPARE(g.firstNumber, 0);
        QCOMPARE(g.lastNumber, 0);
    }

    void groupColourLookup()
    {
        SongGroupList groups = {{QStringLiteral("A"), 0x111111, 0, 0}, {QStringLiteral("A"), 0x222222, 0, 0}};
        QCOMPARE(groupColour(groups, QStringLiteral("A")), 0x111111u);
        QCOMPARE(groupColour(groups, QStringLiteral("a")), SongGroup::kWhite);
        QVERIFY(setGroupColour(groups, QStringLiteral("A"), 0x333333));
        QCOMPARE(groups[0].colour, 0x333333u);
        QCOMPARE(groups[1].colour, 0x222222u);
        QVERIFY(!setGroupColour(groups, QStringLiteral("B"), 0));
    }

    void musicMapReadingRules()
    {
        QBuffer buffer;
        // short line skipped; no ";" skipped; bad digit skipped; incomplete group dropped; LF only
        buffer.setData("0041\r\n00410042\r\n00ZZ;0041\r\n0044;00450\n0046;0047");
        buffer.open(QIODevice::ReadOnly);
        MusicMap map;
        map.read(buffer);
        QCOMPARE(map.pairs().size(), 2);
        QCOMPARE(map.value(QStringLiteral("D")), QStringLiteral("E"));
        QCOMPARE(map.value(QStringLiteral("F")), QStringLiteral("G"));
    }

    void musicMapEditsAndRoundTrip()
    {
        MusicMap map;
        map.setValue(QStringLiteral("Barka"), QStringLiteral("barka.mp3"));
        map.setValue(QStringLiteral("Żółć €"), QStringLiteral("x.mp3"));
        map.setValue(QStringLiteral("Barka"), QStringLiteral("barka2.mp3"));
        QCOMPARE(map.pairs().size(), 2);
        QCOMPARE(map.pairs()[0].second, QStringLiteral("barka2.mp3"));
        map.setValue(QStringLiteral("Nowa"), QString());
        QCOMPARE(map.pairs().size(), 2);

        const QString path = m_dir.filePath(QStringLiteral("MusicCross.txt"));
        QVERIFY(map.save(path));
        MusicMap back;
        QVERIFY(back.load(path));
        QCOMPARE(back.pairs(), map.pairs());

        back.setValue(QStringLiteral("Barka"), QString());
        QCOMPARE(back.pairs().size(), 1);
        QVERIFY(!back.load(m_dir.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(back.isEmpty());
    }

    void setMusicForSavesTheMapFile()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        AppSettings settings(&store);
        settings.setMusicMapPath(m_dir.filePath(QStringLiteral("MusicCross.txt")));
        QVERIFY(settings.setMusicFor(QStringLiteral("Ab"), QStringLiteral("C")));
        QCOMPARE(TestSupport::readFile(settings.musicMapPath()), QByteArray("00410062;0043\r\n"));
        QCOMPARE(settings.musicFor(QStringLiteral("Ab")), QStringLiteral("C"));
        QCOMPARE(settings.musicFor(QStringLiteral("ab")), QString());
    }

    void missingLibraryFoldersAreReplacedAndSaved()
    {
        QTemporaryDir root;
        AppDirs dirs;
        dirs.dataDir = root.filePath(QStringLiteral("data/"));
        dirs.workDir = root.filePath(QStringLiteral("cache/"));
        const QString existing = root.filePath(QStringLiteral("Ekrany mine"));
        QDir().mkpath(existing);
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Ustawienia programu/Lyrics Dir"), QStringLiteral("/no/such/Teksty"));
        store.setValue(QStringLiteral("Ustawienia programu/Screen Dir"), existing);

        AppCore core(&store, dirs);
        core.loadPersistentState();
        QCOMPARE(core.settings().lyricsDir(), dirs.dataDir + u"Teksty");
        QCOMPARE(core.settings().screenDir(), existing);
        QCOMPARE(store.value(QStringLiteral("Ustawienia programu/Lyrics Dir")).toString(), dirs.dataDir + u"Teksty");
        QVERIFY(!QFileInfo::exists(dirs.dataDir + u"Teksty")); // replaced, not created
        for (const char *sub : {"Projekt/Song", "Projekt/Playlist", "Projekt/Screen"})
            QVERIFY(QFileInfo(dirs.workDir + QString::fromLatin1(sub)).isDir());
        QCOMPARE(core.fontDir(), dirs.dataDir + u"Font/");
    }

    void recentFilesKeepFour()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        RecentFiles recent;
        for (int i = 1; i <= 5; ++i)
            recent.add(QStringLiteral("/p/%1.lvp").arg(i));
        recent.add(QStringLiteral("/p/3.lvp"));
        recent.save(store);
        RecentFiles back;
        back.load(store);
        QCOMPARE(back.files(), QStringList({QStringLiteral("/p/3.lvp"), QStringLiteral("/p/5.lvp"),
                                            QStringLiteral("/p/4.lvp"), QStringLiteral("/p/2.lvp")}));
        QCOMPARE(store.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/p/3.lvp"));
    }
};

LUMIVOX_TEST_MAIN_CORE(TestAppSettings)
#include "tst_appsettings.moc"
