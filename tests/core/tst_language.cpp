// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/language.h"
#include "core/app/languagetable.h"
#include "core/util/textids.h"
#include "testsupport.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

    static LanguageTable parse(const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        LanguageTable table;
        table.read(buffer);
        return table;
    }

    QTemporaryDir m_dir;
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
                                      "105=x=y\n");
        QCOMPARE(t.version(), LanguageTable::kRequiredVersion);
        QCOMPARE(t.text(101), QStringLiteral("Błąd"));
        QCOMPARE(t.text(102), QStringLiteral("a\nb\tc\\d\\x"));
        QCOMPARE(t.text(103), QStringLiteral(" spaced key"));
        QVERIFY(t.contains(104));
        QCOMPARE(t.text(104), QString());
        QCOMPARE(t.text(105), QStringLiteral("x=y"));
        QCOMPARE(t.ids().size(), 5);
        QCOMPARE(t.text(999), QString());
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

    void missingOrBadVersionReadsAsZero()
    {
        QCOMPARE(parse("101=x\n").version(), 0u);
        QCOMPARE(parse("version=banana\n").version(), 0u);
        QCOMPARE(parse("version=33554433\n").version(), LanguageTable::kRequiredVersion);
    }

    void textsAreCutTo254Characters()
    {
        const QByteArray longText(400, 'x');
        QCOMPARE(parse("7=" + longText).text(7).size(), 254);
        // A cut never leaves half of a surrogate pair.
        QByteArray emoji = QByteArray(253, 'y') + "\xF0\x9F\x8E\xB5";
        QCOMPARE(parse("8=" + emoji).text(8).size(), 253);
    }

    void loadsNamedLanguage()
    {
        writeLanguage(QStringLiteral("Deutsch"), "version=0x2000001\n101=Fehler\n");
        writeLanguage(QStringLiteral("Polski"), "version=0x2000001\n101=Błąd\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::Loaded);
        QCOMPARE(Lang::text(101), QStringLiteral("Fehler"));
        QCOMPARE(Lang::version(), LanguageTable::kRequiredVersion);
    }

    void missingLanguageFallsBackToPolskiWithoutVersionCheck()
    {
        writeLanguage(QStringLiteral("Polski"), "version=0x1\n101=Błąd\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Klingon")), Lang::LoadResult::FellBack);
        QCOMPARE(Lang::text(101), QStringLiteral("Błąd"));
    }

    void wrongVersionEndsTheProgram()
    {
        writeLanguage(QStringLiteral("Deutsch"), "version=0x2000002\n101=Fehler\n");
        writeLanguage(QStringLiteral("Polski"), "version=0x2000001\n101=Błąd\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::WrongVersion);
        QCOMPARE(Lang::text(101), QString());
        writeLanguage(QStringLiteral("Bez"), "101=x\n");
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Bez")), Lang::LoadResult::WrongVersion);
        QCOMPARE(Lang::wrongVersionMessage(), QStringLiteral("Niepoprawna wersja bilioteki językowej"));
    }

    void noLanguageAtAll()
    {
        QCOMPARE(Lang::load(m_dir.path(), QStringLiteral("Deutsch")), Lang::LoadResult::OpenError);
        QCOMPARE(Lang::openErrorMessage(QStringLiteral("Deutsch")),
                 QStringLiteral("Language file : Deutsch.lang open error"));
        QCOMPARE(Lang::text(101), QString());
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
    }

    void textIdsAreUnique()
    {
        QSet<int> seen;
        for (int id : Txt::kAll) {
            QVERIFY2(!seen.contains(id), qPrintable(QString::number(id)));
            seen.insert(id);
        }
    }

};

LUMIVOX_TEST_MAIN_CORE(TestLanguage)
#include "tst_language.moc"
