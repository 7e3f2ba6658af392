// SPDX-License-Identifier: GPL-3.0-or-later
// The application layer: settings, their store, music map and recent files, and the languages.
#include "core/app/appcore.h"
#include "core/app/appsettings.h"
#include "core/app/datasize.h"
#include "core/app/language.h"
#include "core/app/languagetable.h"
#include "core/app/musicmap.h"
#include "core/app/recentfiles.h"
#include "core/app/songgroup.h"
#include "core/model/languages.h"
#include "core/model/loadissue.h"
#include "core/util/fileutils.h"
#include "core/util/textids.h"
#include "testsupport.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QSettings>

using TestSupport::readFile;

class TestApp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir; // emptied after every test
    QString iniPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    static LanguageTable parse(const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        LanguageTable table;
        table.read(buffer);
        return table;
    }
    void writeLanguage(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(TestSupport::writeFile(m_dir.filePath(name + u".lang"), bytes));
    }

private slots:
    void cleanup()
    {
        Lang::setShowTextIds(false);
        Lang::table().clear();
        for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(f));
    }

    void corruptStoreReadsAsDefaults()
    {
        QVERIFY(TestSupport::writeFile(iniPath(), QByteArray("\x00\xff[[[garbage\nMaxX=abc\n\x01\x02", 24)));
        QSettings store(iniPath(), QSettings::IniFormat);
        AppSettings settings(&store);
        QVERIFY(settings.load());
        QCOMPARE(settings.maxX(), 20);
        QCOMPARE(settings.lineMode(), AppSettings::TenRows);
        QCOMPARE(settings.lastLanguage(), QStringLiteral("Polski"));
        AppSettings withoutStore;
        QVERIFY(!withoutStore.load());
        QVERIFY(!withoutStore.save(false));
    }

    // A board size no board has reads as the nearest board and is saved so; real sizes stay.
    void boardSizeFitted_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("huge, negative") << u"100000 -5"_qs << u"16 6"_qs;
        QTest::newRow("zero") << u"0 0"_qs << u"16 6"_qs;
        QTest::newRow("wide, tall") << u"40 12"_qs << u"20 10"_qs;
        QTest::newRow("board of 18 x 8") << u"18 8"_qs << u"18 8"_qs;
    }
    void boardSizeFitted()
    {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue(AppSettings::kSection + u"/MaxX", stored.section(u' ', 0, 0).toInt());
        store.setValue(AppSettings::kSection + u"/MaxY", stored.section(u' ', 1, 1).toInt());
        AppSettings settings(&store);
        QVERIFY(settings.load());
        QCOMPARE(u"%1 %2"_qs.arg(settings.maxX()).arg(settings.maxY()), read);
        QVERIFY(settings.save(false));
        QCOMPARE(store.value(AppSettings::kSection + u"/MaxX").toString() + u' '
                     + store.value(AppSettings::kSection + u"/MaxY").toString(),
                 read);
    }

    // The charset comes from the language's row, whatever the name's Unicode form (a file name
    // copied from another system is decomposed) or case; English is Latin on purpose, and a
    // language without a row is Latin like the fallback language.
    void charsetOfTheLanguage()
    {
        QList<int> charsets;
        for (const char *language :
             {"Polski", "English", "Česky", "Slovensky", "Русский", "рУССКИЙ", "polski", "Français"}) {
            const QString name = QString::fromUtf8(language);
            charsets << AppSettings::charsetForLanguage(name)
                     << AppSettings::charsetForLanguage(name.normalized(QString::NormalizationForm_D));
        }
        QCOMPARE(charsets, QList<int>({0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0}));
        QVERIFY(Languages::sameName(u"česky"_qs, u"Česky"_qs.normalized(QString::NormalizationForm_D)));
        QVERIFY(!Languages::sameName(u"Русский"_qs, u"Руccкий"_qs)); // Latin "cc"
        QCOMPARE(Languages::isoCodeOf(u"DEUTSCH"_qs), u"de"_qs);
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
            settings.setSoundFont(QStringLiteral("/sf2/Organy.sf2"));
            QVERIFY(settings.save(false));
        }
        QSettings raw(iniPath(), QSettings::IniFormat);
        raw.beginGroup(AppSettings::kSection);
        QStringList keys = raw.childKeys();
        keys.sort();
        QCOMPARE(keys,
                 QStringList({u"Font Dir"_qs, u"Last Font"_qs, u"LastDir"_qs, u"LastImportDir"_qs, u"LastLang"_qs,
                              u"LastMusicDir"_qs, u"Lyrics Dir"_qs, u"MaxX"_qs, u"MaxY"_qs, u"Screen Dir"_qs,
                              u"SoundFont"_qs}));
        QStringList values;
        for (const char *key : {"Lyrics Dir", "Screen Dir", "MaxX", "MaxY"})
            values << raw.value(QString::fromLatin1(key)).toString();
        QCOMPARE(values, QStringList({u"/media/card/Teksty"_qs, u"/home/u/Ekrany"_qs, u"16"_qs, u"6"_qs}));
        raw.endGroup();

        AppSettings back(&raw);
        back.load();
        QCOMPARE(QStringList({back.lyricsParent(), back.lyricsName(), back.screenName()}),
                 QStringList({u"/media/card"_qs, u"Teksty"_qs, u"Ekrany"_qs}));
        QCOMPARE(back.charset(), 0);
        QCOMPARE(back.lineMode(), AppSettings::SixRows);
        QCOMPARE(back.soundFont(), QStringLiteral("/sf2/Organy.sf2"));
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
            QCOMPARE(store.value(QStringLiteral("G%1D").arg(slot)).toByteArray(),
                     QByteArray::fromHex("ffffff00000000"));
        }
        QCOMPARE(store.value(QStringLiteral("G3D")).toByteArray(), QByteArray::fromHex("12345603e807cf"));
        store.endGroup();
        QCOMPARE(loadGroups(store), groups);
    }

    // Loading stops at the first empty name; a short value reads as the bytes of an empty slot.
    void loadingStopsAtFirstEmptyName()
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        store.setValue(QStringLiteral("GroupColor/G1N"), QStringLiteral("A"));
        store.setValue(QStringLiteral("GroupColor/G1D"), QByteArray::fromHex("0000ff00010002"));
        store.setValue(QStringLiteral("GroupColor/G3N"), QStringLiteral("C"));
        QCOMPARE(loadGroups(store), SongGroupList({{QStringLiteral("A"), 0x0000FF, 1, 2}}));
        QCOMPARE(SongGroup::fromStored(QStringLiteral("X"), QByteArray::fromHex("102030")),
                 (SongGroup{QStringLiteral("X"), 0x102030, 0, 0}));
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
        QSettings store(iniPath(), QSettings::IniFormat);
        AppSettings settings(&store);
        const QString path = m_dir.filePath(QStringLiteral("MusicCross.txt"));
        settings.setMusicMapPath(path);
        QVERIFY(settings.setMusicFor(QStringLiteral("Ab"), QStringLiteral("C")));
        QCOMPARE(TestSupport::readFile(path), QByteArray("00410062;0043\r\n"));
        QCOMPARE(settings.musicFor(QStringLiteral("Ab")), QStringLiteral("C"));
        QCOMPARE(settings.musicFor(QStringLiteral("ab")), QString());

        MusicMap map;
        map.setValue(QStringLiteral("Barka"), QStringLiteral("barka.mp3"));
        map.setValue(QStringLiteral("Żółć €"), QStringLiteral("x.mp3"));
        map.setValue(QStringLiteral("Barka"), QStringLiteral("barka2.mp3"));
        map.setValue(QStringLiteral("Nowa"), QString()); // an empty value adds nothing
        QCOMPARE(map.pairs().size(), 2);
        QCOMPARE(map.pairs()[0].second, QStringLiteral("barka2.mp3"));
        QVERIFY(map.save(path));
        MusicMap back;
        QVERIFY(back.load(path));
        QCOMPARE(back.pairs(), map.pairs());
        back.setValue(QStringLiteral("Barka"), QString());
        QCOMPARE(back.pairs().size(), 1);
        QVERIFY(!back.load(m_dir.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(back.isEmpty());
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
        QCOMPARE(back.files(),
                 QStringList({QStringLiteral("/p/3.lvp"), QStringLiteral("/p/5.lvp"), QStringLiteral("/p/4.lvp"),
                              QStringLiteral("/p/2.lvp")}));
        QCOMPARE(store.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/p/3.lvp"));
    }

    // Languages.
    void tableFormat()
    {
        const LanguageTable t = parse("\xEF\xBB\xBF# comment\r\nversion=0x2000001\r\n"
                                      "101=Błąd\r\n"
                                      "102=a\\nb\\tc\\\\d\\x\n"
                                      "103 = spaced key\n"
                                      "no equals sign\n"
                                      "abc=not a number\n"
                                      "=empty key\n"
                                      "-5=negative\n"
                                      "104=\n"
                                      "105=x=y\n"
                                      "101=Błąd!\n");
        QCOMPARE(t.version(), LanguageTable::kRequiredVersion);
        QCOMPARE(t.text(101), QStringLiteral("Błąd!")); // a repeated id: the later line wins
        QCOMPARE(t.text(102), QStringLiteral("a\nb\tc\\d\\x"));
        QCOMPARE(t.text(103), QStringLiteral(" spaced key"));
        QVERIFY(t.contains(104));
        QCOMPARE(t.text(104), QString());
        QCOMPARE(t.text(105), QStringLiteral("x=y"));
        QCOMPARE(t.ids().size(), 5);
        QCOMPARE(t.text(999), QString());
        // A missing or bad version reads as 0.
        QCOMPARE(parse("101=x\n").version(), 0u);
        QCOMPARE(parse("version=banana\n").version(), 0u);
        QCOMPARE(parse("version=33554433\n").version(), LanguageTable::kRequiredVersion);
    }

    // Only a regular file of at most 4 MiB is read: a link to an endless device is no table.
    void onlySmallRegularFilesAreRead()
    {
        LanguageTable table;
        const QString zero = m_dir.filePath(u"Zero.lang"_qs);
        QVERIFY(QFile::link(u"/dev/zero"_qs, zero));
        QVERIFY(!table.load(zero));
        QFile::remove(zero);
        writeLanguage(u"Huge"_qs, "version=0x2000001\n" + QByteArray(LanguageTable::kMaxFileSize, '#'));
        QVERIFY(!table.load(m_dir.filePath(u"Huge.lang"_qs)));
        QVERIFY(table.isEmpty());
        writeLanguage(u"Small"_qs, "version=0x2000001\n101=x\n");
        QVERIFY(table.load(m_dir.filePath(u"Small.lang"_qs)));
        QCOMPARE(table.text(101), u"x"_qs);
    }

    void textsAreCutTo254Characters()
    {
        const QByteArray longText(400, 'x');
        QCOMPARE(parse("7=" + longText).text(7).size(), 254);
        // A cut never leaves half of a surrogate pair.
        QByteArray emoji = QByteArray(253, 'y') + "\xF0\x9F\x8E\xB5";
        QCOMPARE(parse("8=" + emoji).text(8).size(), 253);
    }

    // The named language when it is there with the right version; Polski, unchecked, when it is
    // not; nothing when its version is wrong or no file opens.
    void loadingRules()
    {
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::OpenError);
        QCOMPARE(Lang::openErrorMessage(QStringLiteral("Deutsch")),
                 QStringLiteral("Language file : Deutsch.lang open error"));
        writeLanguage(QStringLiteral("Polski"), "version=0x1\n101=Błąd\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Klingon")), Lang::LoadResult::FellBack);
        QCOMPARE(Lang::text(101), QStringLiteral("Błąd"));
        writeLanguage(QStringLiteral("Deutsch"), "version=0x2000001\n101=Fehler\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::Loaded);
        QCOMPARE(Lang::text(101), QStringLiteral("Fehler"));
        QCOMPARE(Lang::version(), LanguageTable::kRequiredVersion);
        for (const QByteArray &bad : {QByteArray("version=0x2000002\n101=Fehler\n"), QByteArray("101=x\n")}) {
            writeLanguage(QStringLiteral("Deutsch"), bad);
            QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::WrongVersion);
            QCOMPARE(Lang::text(101), QString());
        }
        QCOMPARE(Lang::wrongVersionMessage(), QStringLiteral("Niepoprawna wersja bilioteki językowej"));
        // A file whose name is decomposed is found by the composed name.
        writeLanguage(u"Česky"_qs.normalized(QString::NormalizationForm_D), "version=0x2000001\n101=Chyba\n");
        QCOMPARE(Lang::load(m_dir.path(), u"Česky"_qs), Lang::LoadResult::Loaded);
        QCOMPARE(Lang::text(101), u"Chyba"_qs);
    }

    // "LastLang" naming a deleted Russian file: Polish texts, but the stored language and the
    // Cyrillic charset stay, so the songs stay Cyrillic and a reinstalled file is used again.
    void deletedRussianFileKeepsTheLanguage()
    {
        writeLanguage(u"Polski"_qs, "version=0x2000001\n101=Błąd\n");
        {
            QSettings store(iniPath(), QSettings::IniFormat);
            AppSettings settings(&store);
            settings.load();
            settings.setLastLanguage(u"Русский"_qs);
            QVERIFY(settings.save(false));
        }
        QVERIFY(readFile(iniPath()).contains("LastLang=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"));
        QSettings store(iniPath(), QSettings::IniFormat);
        AppSettings settings(&store);
        settings.load();
        QCOMPARE(Lang::load(m_dir.path(), settings.lastLanguage()), Lang::LoadResult::FellBack);
        QCOMPARE(Lang::text(101), u"Błąd"_qs);
        QVERIFY(settings.save(false)); // the start-up saves after a fallback
        AppSettings again(&store);
        again.load();
        QCOMPARE(again.lastLanguage(), u"Русский"_qs);
        QCOMPARE(again.charset(), 1);
    }

    void textIdMode()
    {
        writeLanguage(QStringLiteral("Polski"), "version=0x2000001\n522=Już działa.\n116=&Plik\n");
        Lang::load(m_dir.path(), QStringLiteral("Polski"));
        Lang::setShowTextIds(true);
        QCOMPARE(Lang::text(522), QStringLiteral("424 Już działa.|"));
        QCOMPARE(Lang::text(116), QStringLiteral("18 &Plik|"));
        Lang::setShowTextIds(false);
        QCOMPARE(Lang::text(522), QStringLiteral("Już działa."));
    }

    // Units from the language, steps of 1024, the largest unit for anything beyond.
    void dataSizesInTheLanguage()
    {
        writeLanguage(QStringLiteral("Polski"), "version=0x2000001\n910=%1 B\n911=%1 KB\n912=%1 MB\n914=%1 TB\n");
        Lang::load(m_dir.path(), QStringLiteral("Polski"));
        const QLocale polish(QLocale::Polish);
        QCOMPARE(dataSizeText(1023, QLocale::c()), u"1023\u00a0B"_qs);
        QCOMPARE(dataSizeText(1536, QLocale::c()), u"1.50\u00a0KB"_qs);
        QCOMPARE(dataSizeText(3 << 20, polish), u"3,00\u00a0MB"_qs);
        QCOMPARE(dataSizeText(Q_INT64_C(5) << 50, polish), u"5120,00\u00a0TB"_qs);
    }

    void availableLanguagesAreSortedNames()
    {
        writeLanguage(QStringLiteral("Polski"), "");
        writeLanguage(QStringLiteral("English"), "");
        QVERIFY(TestSupport::writeFile(m_dir.filePath(QStringLiteral("notes.txt")), "x"));
        QCOMPARE(Lang::availableLanguages(m_dir.path()),
                 QStringList({QStringLiteral("English"), QStringLiteral("Polski")}));
    }

    // Every shipped language defines every id the program asks for, with the right version.
    void shippedLanguagesAreComplete_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(TestSupport::shippedLanguageDir());
        const QStringList files = dir.entryList({QStringLiteral("*.lang")}, QDir::Files);
        QVERIFY(files.contains(QStringLiteral("Polski.lang")));
        QVERIFY(files.contains(QStringLiteral("English.lang")));
        QVERIFY(files.contains(u"Русский.lang"_qs));
        QCOMPARE(QSet<int>(std::begin(Txt::kAll), std::end(Txt::kAll)).size(),
                 qsizetype(std::size(Txt::kAll))); // ids unique
        for (const Languages::Row &row : Languages::rows())
            QVERIFY2(files.contains(row.name + u".lang"), qPrintable(u"no language file for the row " + row.name));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << dir.filePath(file);
    }
    void shippedLanguagesAreComplete()
    {
        QFETCH(QString, path);
        LanguageTable table;
        QVERIFY(table.load(path));
        QCOMPARE(table.version(), LanguageTable::kRequiredVersion);
        QStringList missing;
        for (int id : Txt::kAll) {
            if (!table.contains(id) || table.text(id).trimmed().isEmpty())
                missing << QString::number(id);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(u"missing ids: " + missing.join(u", ")));

        for (IssueCode code : kAllIssueCodes) {
            const int id = issueTextId(code);
            QVERIFY2(id != Txt::IssueOther && table.contains(id), qPrintable(QString::number(int(code))));
        }

        const QString name = QFileInfo(path).fileName();
        QCOMPARE(name, name.normalized(QString::NormalizationForm_C));
        QVERIFY2(Languages::find(name.chopped(5)), qPrintable(u"no language row for " + name));
        // Within the limit in the file itself, not only after the reader's cut.
        const QStringList lines = QString::fromUtf8(readFile(path)).split(u'\n');
        for (const QString &line : lines)
            QVERIFY2(line.size() - line.indexOf(u'=') - 1 <= LanguageTable::kMaxTextLength, qPrintable(line.left(8)));
        LanguageTable polish;
        QVERIFY(polish.load(QDir(TestSupport::shippedLanguageDir()).filePath(u"Polski.lang"_qs)));
        static const QRegularExpression placeholder(u"%\\d"_qs);
        for (int id : Txt::kAll) {
            for (const QRegularExpressionMatch &m : placeholder.globalMatch(polish.text(id)))
                QVERIFY2(table.text(id).contains(m.captured()),
                         qPrintable(u"%1 lacks %2"_qs.arg(id).arg(m.captured())));
        }
        for (int id : {Txt::ReportFileSongbook, Txt::ReportFileNumberIndex, Txt::ReportFileAlphabetical})
            QVERIFY(isPlainFileName(table.text(id)) && table.text(id).endsWith(u".rtf"));
        if (name.startsWith(u"Русский")) {
            static const QRegularExpression polishOnly(u"[ąćęłńśźżĄĆĘŁŃŚŹŻ]"_qs);
            for (int id : Txt::kAll)
                QVERIFY2(!table.text(id).contains(polishOnly), qPrintable(QString::number(id)));
        }
    }
};

LUMIVOX_TEST_MAIN_CORE(TestApp)
#include "tst_app.moc"
