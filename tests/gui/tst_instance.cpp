// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-over between a second start and the running program: the message framing, which
// forwarded files may open, and the local socket with a real client on another thread.
#include "core/app/instancemessage.h"
#include "gui/app/instanceclient.h"
#include "gui/app/instanceserver.h"
#include "tablerows.h"

#include <QDBusConnection>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

using State = InstanceMessage::Reader::State;

namespace {
QByteArray prefix(quint32 length)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(length, bytes.data());
    return bytes;
}
} // namespace

class TestInstance : public QObject
{
    Q_OBJECT

private slots:
    void reader_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<State>("state");
        QTest::addColumn<QString>("uri");
        const QStringList states{u"Incomplete"_qs, u"Complete"_qs, u"Invalid"_qs};
        for (const QStringList &row : TestSupport::tableRows(u"instance/messages.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << TestSupport::unescaped(row[1]).toLatin1().split('|')
                                              << State(states.indexOf(row[2])) << row.value(3);
        QTest::newRow("64 KiB accepted") << QByteArrayList{prefix(65536) + QByteArray(65536, 'a')} << State::Complete
                                         << QString(65536, u'a');
    }

    void reader()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(State, state);
        QFETCH(QString, uri);
        InstanceMessage::Reader reader;
        for (const QByteArray &chunk : chunks)
            reader.feed(chunk);
        QCOMPARE(reader.state(), state);
        if (state == State::Complete) {
            QCOMPARE(reader.uri(), uri);
            QCOMPARE(InstanceMessage::frame(uri), chunks.join()); // what a second start sends
        }
    }

    void projectPath_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<bool>("accepted");
        for (const QStringList &row : TestSupport::tableRows(u"instance/projectpaths.tsv"_qs))
            QTest::newRow(qPrintable(row[0])) << row[1] << (row[2] == u"1");
    }

    void projectPath()
    {
        QFETCH(QString, uri);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("a b.lvp")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir.lvp")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("x.lvp"))).constData(), 0600), 0);
        const QString base = QUrl::fromLocalFile(dir.path()).toString(QUrl::FullyEncoded);
        uri.replace(QStringLiteral("file://host@"), QStringLiteral("file://host") + dir.path());
        uri.replace(QLatin1Char('@'), base);
        const QString path = InstanceMessage::projectPath(uri);
        QCOMPARE(path, accepted ? file.fileName() : QString());
        if (accepted) // what a second start sends is what the first accepts
            QCOMPARE(InstanceMessage::projectPath(InstanceMessage::fileUri(path)), path);
    }

    void socketForwarding()
    {
        QTemporaryDir dir;
        const QString socketPath = dir.filePath(QStringLiteral("app.socket"));
        const QDBusConnection noBus(QStringLiteral("no bus"));
        // A killed holder leaves its socket file behind; the next holder listens there anyway.
        QFile stale(socketPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        InstanceServer server;
        QVERIFY(server.listen(noBus, socketPath));
        QVERIFY(server.onSocket() && !server.onBus());
        QCOMPARE(QFileInfo(socketPath).permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
        QSignalSpy requested(&server, &InstanceServer::requested);

        // Hostile clients first: an oversized message and one that hangs after two bytes.
        QLocalSocket flood;
        flood.connectToServer(socketPath);
        QVERIFY(flood.waitForConnected(1000));
        flood.write(prefix(65537) + QByteArray(65537, 'a'));
        QLocalSocket hang;
        hang.connectToServer(socketPath);
        QVERIFY(hang.waitForConnected(1000));
        hang.write(prefix(10).left(2));
        QTRY_COMPARE(flood.state(), QLocalSocket::UnconnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(hang.state(), QLocalSocket::UnconnectedState, 3000);
        QVERIFY(flood.readAll().isEmpty());
        QCOMPARE(requested.count(), 0);

        // The real client still gets through.
        const QString uri = QStringLiteral("file:///tmp/x.lvp");
        std::atomic<int> result{-1};
        std::thread client([&] { result = forwardToRunning(uri, {}, noBus, socketPath) ? 1 : 0; });
        QTRY_VERIFY(result != -1);
        client.join();
        QCOMPARE(result.load(), 1);
        QCOMPARE(requested.count(), 1);
        QCOMPARE(requested.first().first().toString(), uri);
    }

    // What a killed holder leaves behind answers nothing: a later start gives up on it, and,
    // becoming the running one, serves on the same path.
    void unansweredSocketIsStale_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addRow("nobody listens") << false;
        QTest::addRow("a listener that never answers") << true;
    }
    void unansweredSocketIsStale()
    {
        QFETCH(bool, listening);
        QTemporaryDir dir;
        const QString socketPath = dir.filePath(QStringLiteral("app.socket"));
        const QDBusConnection noBus(QStringLiteral("no bus"));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socketPath);
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        QVERIFY(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(fd, 4) == 0);
        if (!listening)
            ::close(fd);
        const QString uri = QStringLiteral("file:///tmp/x.lvp");
        QVERIFY(!forwardToRunning(uri, {}, noBus, socketPath));

        InstanceServer server;
        QVERIFY(server.listen(noBus, socketPath));
        QSignalSpy requested(&server, &InstanceServer::requested);
        std::atomic<int> result{-1};
        std::thread client([&] { result = forwardToRunning(uri, {}, noBus, socketPath) ? 1 : 0; });
        QTRY_VERIFY(result != -1);
        client.join();
        if (listening)
            ::close(fd);
        QCOMPARE(result.load(), 1);
        QCOMPARE(requested.count(), 1);
    }
};

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
