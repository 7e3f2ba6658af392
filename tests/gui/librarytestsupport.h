// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the library panel's tests.
#include "core/app/language.h"
#include "core/app/workspace.h"
#include "core/card/driveprovider.h"
#include "gui/app/messageboxes.h"
#include "gui/app/uiseams.h"
#include "gui/widgets/drivecombo.h"
#include "gui/library/librarypanel.h"
#include "gui/library/librarytree.h"
#include "gui/main/mainwindow.h"
#include "testappcore.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <utility>

namespace LibraryTest {

// Runs act on the next modal dialog of type D once it is shown. The polling timer belongs to
// the application and deletes itself once it has acted.
template <typename D>
inline void whenShown(std::function<void(D *)> act)
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog) {
            timer->setInterval(10);
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(0);
}

inline DriveEntry cardEntry(const QString &root, const QString &label = QStringLiteral("CARD"))
{
    return DriveEntry{label, root, false, QStringLiteral("FAT32"), QStringLiteral("/dev/sdz1"), false};
}

// Answers every message box (questions with answer, the others with OK) and keeps what was asked.
struct BoxRecorder
{
    QList<MessageBoxes::Request> requests;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    // Runs while a box is open, as events the user does not control would.
    std::function<void()> whileOpen;

    // The responder that answers and records: put it into the seams of the windows under test.
    MessageBoxes::Responder responder()
    {
        return [this](const MessageBoxes::Request &request) {
            requests << request;
            if (whileOpen)
                std::exchange(whileOpen, {})();
            return request.buttons.testFlag(QMessageBox::Yes) ? answer : QMessageBox::Ok;
        };
    }
    void clear() { requests.clear(); }
    bool isEmpty() const { return requests.isEmpty(); }
    const MessageBoxes::Request &first() const { return requests.first(); }
    QStringList texts() const
    {
        QStringList result;
        for (const MessageBoxes::Request &request : requests)
            result << request.text;
        return result;
    }
};

// The fixture of the tests that drive the panel: an application, seams that answer the message
// boxes and show the wait dialog at once, a main window holding the panel on a fake drive
// provider. Derived tests call setUpPanelTests() from initTestCase() or init(); a window they make
// on their own gets the seams with seamed().
class PanelTest : public QObject
{
protected:
    std::unique_ptr<TestAppCore> m_app;
    BoxRecorder m_boxes;
    UiSeams m_seams;
    TestSupport::CardFolders m_cards;
    std::shared_ptr<FakeDriveProvider> m_drives;
    std::unique_ptr<MainWindow> m_frame;
    LibraryPanel *m_panel = nullptr;
    std::unique_ptr<QWidget> m_host;

    void setUpPanelTests()
    {
        m_app = std::make_unique<TestAppCore>();
        QCOMPARE(Lang::load(TestSupport::shippedLanguageDir(), QStringLiteral("Polski")), Lang::LoadResult::Loaded);
        m_boxes = {};
        m_seams = {};
        m_seams.responder = m_boxes.responder();
        m_seams.waitShowDelay = 0;
        m_host.reset();
    }
    // Gives a window made without a parent the fixture's seams; returns them for changing.
    UiSeams &seamed(QWidget *window) { return installSeams(window, m_seams); }
    // A window with the fixture's seams (as they are at the first call): the parent of a dialog
    // whose constructor may already show a box.
    QWidget *host()
    {
        if (!m_host) {
            m_host = std::make_unique<QWidget>();
            seamed(m_host.get());
        }
        return m_host.get();
    }
    // The panel in a main window, the drive provider offering entries, the start-up poll done.
    void openPanel(const QList<DriveEntry> &entries)
    {
        m_drives = std::make_shared<FakeDriveProvider>();
        m_drives->setDrives(entries);
        m_frame = std::make_unique<MainWindow>(m_seams);
        m_frame->compose(m_drives);
        m_panel = m_frame->libraryPanel();
        m_panel->initialUpdate();
    }
    void openPanel(const QString &card) { openPanel(QList<DriveEntry>{cardEntry(card)}); }
    void offer(const QList<DriveEntry> &drives)
    {
        m_drives->setDrives(drives);
        m_panel->driveList()->refreshDrives();
    }
    LibraryTree *tree() const { return m_panel->tree(); }
    QTreeWidgetItem *item(const QString &text) const
    {
        for (QTreeWidgetItem *item = tree()->topLevelItem(0); item; item = LibraryTree::nextInOrder(item)) {
            if (item->text(0) == text)
                return item;
        }
        return nullptr;
    }
    void click(QTreeWidgetItem *item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, modifiers, tree()->visualItemRect(item).center());
    }
};

} // namespace LibraryTest
