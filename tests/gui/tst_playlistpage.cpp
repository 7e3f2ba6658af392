// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist page and the insert-song dialog driven on a card in a temporary folder.
#include "gui/playlist/insertsongdialog.h"
#include "gui/playlist/playlistpage.h"
#include "gui/playlist/playlistview.h"
#include "gui/widgets/screenpreview.h"
#include "librarytestsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

using namespace LibraryTest;
using TestSupport::readFile;
using TestSupport::writeFile;
using TestSupport::writeFiles;

class TestPlaylistPage : public PanelTest
{
    Q_OBJECT

    QString m_card;

    PlaylistPage *page() const { return m_frame->playlistPage(); }
    QString firstLine() const
    {
        const QStringList lines = page()->preview()->shownLines();
        return lines.isEmpty() ? QString() : lines.first();
    }
    QString counter(const QString &value) const { return Lang::text(Txt::ScreenLabel) + u' ' + value; }
    QString counterText() const { return page()->counterText(); }

    // Answers the next insert dialog with OK after setup.
    void acceptInsert(std::function<void(InsertSongDialog *)> setup = {})
    {
        whenShown<InsertSongDialog>([setup](InsertSongDialog *dialog) {
            if (setup)
                setup(dialog);
            dialog->accept();
        });
    }

private slots:
    void init()
    {
        setUpPanelTests();
        m_card = m_cards.next();
        // Four stanzas, the third the refrain; the first has two screens.
        writeFile(m_card + u"Adwent/0010 Gloria.txt"_qs,
                  TestSupport::songBytes('x', "1,2,r,4,", {"#z ab", "#z c", "#r d", "#z e"}));
        writeFiles(m_card, {u"screen_dir/0005 Witamy.ekr"_qs}, TestSupport::songBytes('s'));
        QStringList lists;
        for (int n = 1; n <= 6; ++n)
            lists << QStringLiteral("playlist_dir/%1 L%2.lst").arg(n, 4, 10, QLatin1Char('0')).arg(n);
        writeFiles(m_card, lists, "#0/\r\n");
        openPanel(m_card);
        QVERIFY(page());
        QCOMPARE(m_frame->pages()->currentWidget(), page());
    }
    void cleanup() { m_frame.reset(); }

    void newPlaylistSavesUnderFreeNumber()
    {
        QCOMPARE(page()->playlist().number(), 7);
        acceptInsert();
        page()->addItem(m_card + u"screen_dir/0005 Witamy.ekr"_qs, true);
        acceptInsert([](InsertSongDialog *dialog) {
            dialog->findChild<QRadioButton *>(u"modeStanza"_qs)->setChecked(true);
            dialog->nextStanza();
            dialog->nextStanza();
        });
        page()->addItem(m_card + u"Adwent/0010 Gloria.txt"_qs, false);
        QCOMPARE(page()->playlist().count(), 2);
        QVERIFY(page()->playlist().isDirty());

        // No title: refused; then saved as "0007 Msza.lst".
        QVERIFY(!page()->save());
        QCOMPARE(m_boxes.texts().last(), Lang::text(Txt::PlaylistNameEmpty));
        page()->findChild<QLineEdit *>(u"playlistTitle"_qs)->setText(u"Msza"_qs);
        QVERIFY(page()->save());
        const QString saved = m_card + u"playlist_dir/0007 Msza.lst"_qs;
        QCOMPARE(readFile(saved), QByteArray("#0/\r\n#EKR/\t#Witamy/\t#1/\t#30/\r\n#TXT/\t#Gloria/\t#3/\t#30/\r\n"));
        QVERIFY(!page()->playlist().isDirty());
        QCOMPARE(page()->filePath(), saved);
        QCOMPARE(page()->playlist().entry(1).stanza, 131);

        // The open file renamed in the tree: later saves go to the new name only.
        const QString renamed = m_card + u"playlist_dir/0007 Pasterka.lst"_qs;
        QVERIFY(QFile::rename(saved, renamed));
        page()->playlistFileRenamed(saved, renamed);
        page()->selectEntry(0);
        page()->deleteSelected();
        QVERIFY(page()->save());
        QVERIFY(!QFileInfo::exists(saved));
        QCOMPARE(readFile(renamed), QByteArray("#0/\r\n#TXT/\t#Gloria/\t#3/\t#30/\r\n"));

        // A failed save keeps the changes and the file; the discard question's Cancel keeps all.
        QVERIFY(QFile::remove(renamed));
        QVERIFY(QDir().mkpath(renamed));
        page()->selectEntry(0);
        page()->deleteSelected();
        m_boxes.clear();
        QVERIFY(!page()->save());
        QVERIFY(page()->playlist().isDirty());
        QCOMPARE(page()->filePath(), renamed);
        QVERIFY(m_boxes.texts().last().startsWith(Lang::text(Txt::SaveFailed)));
        m_boxes.answer = QMessageBox::Cancel;
        m_boxes.clear();
        page()->newPlaylist();
        QCOMPARE(m_boxes.texts(), QStringList{Lang::text(Txt::PlaylistDiscardQuestion)});
        QCOMPARE(page()->filePath(), renamed);
        QVERIFY(page()->playlist().isDirty());
    }

    void previewWalksOverInvalidEntries()
    {
        const QString path = m_card + u"playlist_dir/0008 Test.lst"_qs;
        writeFile(path,
                  "#0/\r\n#TXT/\t#Gloria/\t#1/\t#30/\r\n#TXT/\t#Nieznana/\t#1/\t#30/\r\n"
                  "#TXT/\t#Gloria/\t#9/\t#30/\r\n#TXT/\t#Gloria/\t#200/\t#30/\r\n#EKR/\t#Witamy/\t#5/\t#30/\r\n");
        page()->openPlaylist(path);
        QCOMPARE(page()->playlist().count(), 5);
        page()->selectEntry(0);
        QCOMPARE(counterText(), counter(u"1/2"_qs));
        QCOMPARE(firstLine(), QString(20, u'a'));
        const QStringList expected = {u"2/2 b"_qs, u"-/- "_qs, u"-/- "_qs, u"-/- "_qs, u"1/1 s"_qs};
        QStringList walked;
        for (int i = 0; i < expected.size(); ++i) {
            page()->nextScreen();
            walked << counterText().mid(counter({}).size()) + u' ' + firstLine().left(1);
        }
        QCOMPARE(walked, expected);
        QVERIFY(!page()->findChild<QPushButton *>(u"nextScreen"_qs)->isEnabled());
        for (int i = 0; i < 4; ++i)
            page()->previousScreen();
        QCOMPARE(counterText(), counter(u"2/2"_qs));
        QCOMPARE(firstLine().left(1), u"b"_qs);
        // Stanza fields 200 and 9 are kept as read, refrain flag aside.
        QCOMPARE(page()->playlist().entry(3).stanza & 0x7F, 200 & 0x7F);
    }

    // The arrows show every screen of the chosen stanza; Info shows the song's structure.
    void insertDialogShowsEveryScreen()
    {
        auto *dialog = new InsertSongDialog(m_card + u"Adwent/0010 Gloria.txt"_qs, false);
        seamed(dialog);
        QVERIFY(dialog->loadSong());
        auto *next = dialog->findChild<QPushButton *>(u"nextScreen"_qs);
        auto *preview = dialog->findChild<ScreenPreview *>();
        QCOMPARE(preview->shownLines().first().left(1), u"a"_qs);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(preview->shownLines().first().left(1), u"b"_qs);
        QCOMPARE(dialog->findChild<QLineEdit *>(u"screenCounter"_qs)->text(), u"2/2"_qs);
        QVERIFY(!next->isEnabled());
        dialog->nextStanza();
        QCOMPARE(preview->shownLines().first().left(1), u"c"_qs);
        int stanzas = 0;
        whenShown<QDialog>([&stanzas](QDialog *structure) {
            if (auto *tree = structure->findChild<QTreeWidget *>())
                stanzas = tree->topLevelItemCount();
            structure->reject();
        });
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"infoButton"_qs), Qt::LeftButton);
        QCOMPARE(stanzas, 4);
        delete dialog;
    }

    void insertDialogChecks()
    {
        InsertSongDialog dialog(m_card + u"Adwent/0010 Gloria.txt"_qs, false);
        seamed(&dialog);
        QVERIFY(dialog.loadSong());
        auto *from = dialog.findChild<QLineEdit *>(u"rangeFrom"_qs);
        auto *to = dialog.findChild<QLineEdit *>(u"rangeTo"_qs);
        QCOMPARE(to->text(), u"4"_qs);
        dialog.findChild<QRadioButton *>(u"modeRange"_qs)->setChecked(true);
        to->clear();
        QTest::keyClicks(to, u"9"_qs);
        QCOMPARE(to->text(), u"4"_qs);
        to->clear();
        QVERIFY(to->text().isEmpty()); // an emptied field stays empty while typing
        const struct
        {
            const char *from, *to;
            int refusal;
        } kRows[] = {
            {"2", "1", Txt::InsertSongRangeReversed},
            {"0", "2", Txt::InsertSongFromTooSmall},
            {"1", "5", Txt::InsertSongToTooLarge},
        };
        for (const auto &row : kRows) {
            from->setText(QString::fromLatin1(row.from));
            to->setText(QString::fromLatin1(row.to));
            m_boxes.clear();
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(m_boxes.texts(), QStringList{Lang::text(row.refusal)});
        }
        dialog.findChild<QRadioButton *>(u"modeStanza"_qs)->setChecked(true);
        dialog.nextStanza();
        dialog.nextStanza();
        dialog.accept();
        QCOMPARE(dialog.choice().stanza, 131);
        for (int i = 0; i < 3; ++i)
            dialog.nextStanza();
        QCOMPARE(dialog.selectedStanza(), 4);

        // A file that cannot be read: a message and no dialog.
        m_boxes.clear();
        bool shown = false;
        whenShown<InsertSongDialog>([&shown](InsertSongDialog *d) {
            shown = true;
            d->reject();
        });
        page()->addItem(m_card + u"Adwent/0099 Brak.txt"_qs, false);
        QCOMPARE(m_boxes.texts().size(), 1);
        QVERIFY(m_boxes.texts().first().startsWith(Lang::text(Txt::InsertSongLoadFailed)));
        QVERIFY(!shown);
        QCOMPARE(page()->playlist().count(), 0);
    }
};

LUMIVOX_TEST_MAIN_GUI(TestPlaylistPage)
#include "tst_playlistpage.moc"
