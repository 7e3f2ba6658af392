// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/waitdialog.h"

#include "core/app/language.h"
#include "core/app/projectfile.h"
#include "core/library/songlibrary.h"
#include "core/model/charsetmode.h"
#include "gui/app/dialogtext.h"
#include "gui/app/uiseams.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

// Labels and the event loop are served at most this often: each repaint costs more than a file.
constexpr qint64 kPumpInterval = 50;

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
    setModal(true);
    m_runner.onShow = [this] { show(); };
    m_runner.onPump = [this] {
        m_groupLabel->setText(m_group);
        m_fileLabel->setText(m_file);
    };
}

WaitDialog::Outcome WaitDialog::runScan(SongLibrary &library, const QString &root, ScanFlags flags)
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
    return run([&](const Progress &progress) {
        result = ProjectFile::open(file, projectDir, progress);
        return result.ok();
    });
}

WaitDialog::Outcome WaitDialog::runPack(const QString &file, const QString &cardRoot, CardPackResult &result)
{
    return run([&](const Progress &progress) {
        result = ProjectFile::save(file, cardRoot, progress);
        return result.ok;
    });
}

WaitDialog::Outcome WaitDialog::run(const std::function<bool(const Progress &)> &work)
{
    m_group.clear();
    m_file.clear();
    const UiSeams &seams = seamsOf(this);
    m_runner.setTiming({seams.waitShowDelay, int(kPumpInterval)});
    const int fileDelay = seams.waitFileDelay;
    bool clean = false;
    m_runner.run([&](const Progress &base) {
        Progress progress = base;
        progress.onDirectory = [this](const QString &directory) {
            m_group = directory;
            m_file.clear();
            m_runner.pump();
        };
        progress.onFile = [this, fileDelay](const QString &file, int, int) {
            m_file = file;
            if (fileDelay > 0)
                QThread::usleep(ulong(fileDelay));
            m_runner.pump();
        };
        clean = work(progress);
    });
    if (isVisible())
        done(clean ? QDialog::Accepted : QDialog::Rejected);
    else
        setResult(clean ? QDialog::Accepted : QDialog::Rejected);
    return m_runner.stopRequested() ? Outcome::Stopped : Outcome::Finished;
}

void WaitDialog::closeEvent(QCloseEvent *event)
{
    // The dialog closes itself when the scan has ended; closing it earlier only stops the scan.
    m_runner.requestStop();
    if (m_runner.isBusy())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void WaitDialog::reject()
{
    m_runner.requestStop();
    if (!m_runner.isBusy())
        QDialog::reject();
}
