// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/waitdialog.h"

#include "core/app/language.h"
#include "core/app/projectfile.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "gui/app/dialogtext.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

int g_startDelay = 300;

// A ring of dots whose bright spot goes round while the work runs.
class BusyAnimation : public QWidget
{
public:
    explicit BusyAnimation(QWidget *parent) : QWidget(parent)
    {
        setFixedSize(48, 48);
        m_timer.setInterval(90);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_step = (m_step + 1) % kDots;
            update();
        });
        m_timer.start();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const QPointF centre(width() / 2.0, height() / 2.0);
        for (int i = 0; i < kDots; ++i) {
            const double angle = 2 * M_PI * i / kDots;
            const int age = (m_step - i + kDots) % kDots;
            QColor colour(255, 170, 0);
            colour.setAlpha(255 - age * 200 / kDots);
            p.setBrush(colour);
            p.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * 17, 4, 4);
        }
    }

private:
    static constexpr int kDots = 12;
    QTimer m_timer;
    int m_step = 0;
};

} // namespace

void WaitDialog::setStartDelay(int ms)
{
    g_startDelay = ms;
}

WaitDialog::WaitDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("WaitDialog"));
    setControlText(this, Txt::WaitTitle);
    auto *layout = new QVBoxLayout(this);
    auto *animation = new BusyAnimation(this);
    layout->addWidget(animation, 0, Qt::AlignHCenter);
    m_groupLabel = new QLabel(this);
    m_fileLabel = new QLabel(this);
    for (QLabel *label : {m_groupLabel, m_fileLabel}) {
        label->setMinimumWidth(280);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    m_groupLabel->setObjectName(QStringLiteral("groupLabel"));
    m_fileLabel->setObjectName(QStringLiteral("fileLabel"));
    m_start = new QTimer(this);
    m_start->setSingleShot(true);
}

WaitDialog::Outcome WaitDialog::runScan(SongLibrary &library, const QString &root, int flags)
{
    return run([&](const Progress &progress) {
        library.setRoot(root);
        ScanOptions options;
        options.charset = currentCharsetMode();
        return !library.scanLibrary(flags, progress, options);
    });
}

WaitDialog::Outcome WaitDialog::runUnpack(const QString &file, const QString &projectDir, CardUnpackResult &result)
{
    result = {};
    result.status = CardUnpackStatus::Stopped;
    return run([&](const Progress &progress) {
        result = ProjectFile::open(file, projectDir, progress);
        return result.ok();
    });
}

WaitDialog::Outcome WaitDialog::runPack(const QString &file, const QString &cardRoot, CardPackResult &result)
{
    result = {};
    result.stopped = true;
    return run([&](const Progress &progress) {
        result = ProjectFile::save(file, cardRoot, progress);
        return result.ok;
    });
}

WaitDialog::Outcome WaitDialog::run(const std::function<bool(const Progress &)> &work)
{
    m_stop = false;
    Outcome outcome = Outcome::NotStarted;
    m_start->disconnect();
    connect(m_start, &QTimer::timeout, this, [&] {
        m_working = true;
        Progress progress;
        progress.stop = &m_stop;
        progress.onDirectory = [this](const QString &directory) {
            m_groupLabel->setText(directory);
            QCoreApplication::processEvents();
        };
        progress.onFile = [this](const QString &file, int, int) {
            m_fileLabel->setText(file);
            QCoreApplication::processEvents();
        };
        const bool clean = work(progress);
        outcome = m_stop ? Outcome::Stopped : Outcome::Finished;
        m_working = false;
        done(clean ? QDialog::Accepted : QDialog::Rejected);
    });
    m_start->start(g_startDelay);
    exec();
    // A dialog closed before the start must not start the work later, in another event loop.
    m_start->stop();
    return outcome;
}

void WaitDialog::closeEvent(QCloseEvent *event)
{
    // The dialog closes itself when the scan has ended; closing it earlier only stops the scan.
    m_stop = true;
    if (m_working)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void WaitDialog::reject()
{
    m_stop = true;
    if (!m_working)
        QDialog::reject();
}
