// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report/reportdialog.h"

#include "core/app/language.h"
#include "core/library/songlibrary.h"
#include "core/util/atomicsave.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"
#include "gui/app/shell.h"
#include "pdf/songbookpdf.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

struct KindTexts
{
    ReportKind kind;
    int label;
    int description;
};

constexpr KindTexts kKinds[ReportDialog::kChoices] = {
    {ReportKind::Songbook, Txt::ReportSongbook, Txt::ReportSongbookInfo},
    {ReportKind::NumberIndex, Txt::ReportNumberIndex, Txt::ReportNumberIndexInfo},
    {ReportKind::Alphabetical, Txt::ReportAlphabetical, Txt::ReportAlphabeticalInfo},
    {ReportKind::Songbook, Txt::ReportPdfSongbook, Txt::ReportPdfSongbookInfo},
};
QString defaultFileName(int choice)
{
    if (choice == ReportDialog::kPdfChoice)
        return SongbookPdf::fileName(Lang::text(Txt::ReportFilePdfSongbook));
    const ReportKind kind = kKinds[choice].kind;
    return Report::fileName(kind, Lang::text(Report::fileNameTextId(kind)));
}

} // namespace

ReportDialog::ReportDialog(const SongLibrary &library, const QString &folder, QWidget *parent)
    : QDialog(parent), m_library(library), m_folder(folder)
{
    setObjectName(QStringLiteral("ReportDialog"));
    setControlText(this, Txt::ReportCaption);

    QGroupBox *box = buildKindBox();
    QHBoxLayout *targetRow = buildTargetRow();
    QHBoxLayout *row = buildRunRow();

    QDialogButtonBox *buttons = okCancelButtons(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    for (QPushButton *button : {m_ok, m_cancel, m_generate, m_stopButton})
        button->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(targetRow);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    connect(m_chooseTarget, &QPushButton::clicked, this, &ReportDialog::chooseTarget);
    connect(m_generate, &QPushButton::clicked, this, &ReportDialog::generate);
    connect(m_stopButton, &QPushButton::clicked, this, &ReportDialog::stop);
    m_runner.onBusyChanged = [this](bool running) { setRunning(running); };
}

QGroupBox *ReportDialog::buildKindBox()
{
    auto *box = new QGroupBox(this);
    setControlText(box, Txt::ReportKindGroup);
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < kChoices; ++i) {
        m_kinds[i] = new QRadioButton(box);
        m_kinds[i]->setObjectName(QStringLiteral("reportKind%1").arg(i));
        setControlText(m_kinds[i], kKinds[i].label);
        auto *description = new QLabel(box);
        setControlText(description, kKinds[i].description);
        description->setWordWrap(true);
        description->setIndent(24);
        grid->addWidget(m_kinds[i], 2 * i, 0);
        grid->addWidget(description, 2 * i + 1, 0);
    }
    m_kinds[0]->setChecked(true);

    m_pdfOptions = new QWidget(box);
    auto *options = new QHBoxLayout(m_pdfOptions);
    options->setContentsMargins(24, 0, 0, 0);
    auto *paperLabel = new QLabel(m_pdfOptions);
    setControlText(paperLabel, Txt::ReportPdfPaper);
    m_paper = new QComboBox(m_pdfOptions);
    m_paper->setObjectName(QStringLiteral("paperCombo"));
    m_paper->addItems({QStringLiteral("A5"), QStringLiteral("A4")});
    paperLabel->setBuddy(m_paper);
    auto *columnsLabel = new QLabel(m_pdfOptions);
    setControlText(columnsLabel, Txt::ReportPdfColumns);
    m_columns = new QComboBox(m_pdfOptions);
    m_columns->setObjectName(QStringLiteral("columnsCombo"));
    m_columns->addItems({QStringLiteral("1"), QStringLiteral("2")});
    columnsLabel->setBuddy(m_columns);
    options->addWidget(paperLabel);
    options->addWidget(m_paper);
    options->addSpacing(16);
    options->addWidget(columnsLabel);
    options->addWidget(m_columns);
    options->addStretch(1);
    grid->addWidget(m_pdfOptions, 8, 0);
    return box;
}

QHBoxLayout *ReportDialog::buildTargetRow()
{
    auto *targetLabel = new QLabel(this);
    setControlText(targetLabel, Txt::ReportTargetLabel);
    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("targetEdit"));
    m_target->setReadOnly(true);
    targetLabel->setBuddy(m_target);
    m_chooseTarget = new QPushButton(QStringLiteral("..."), this);
    m_chooseTarget->setObjectName(QStringLiteral("chooseTargetButton"));
    m_chooseTarget->setToolTip(Lang::text(Txt::ReportChooseTarget));
    m_chooseTarget->setAccessibleName(Lang::text(Txt::ReportChooseTarget));
    auto *row = new QHBoxLayout;
    row->addWidget(targetLabel);
    row->addWidget(m_target, 1);
    row->addWidget(m_chooseTarget);
    for (int i = 0; i < kChoices; ++i) {
        setTarget(i, {});
        connect(m_kinds[i], &QRadioButton::toggled, this, &ReportDialog::showChoice);
    }
    return row;
}

QHBoxLayout *ReportDialog::buildRunRow()
{
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("reportProgress"));
    m_progress->setTextVisible(false);
    m_progress->setValue(0);
    m_generate = new QPushButton(this);
    m_generate->setObjectName(QStringLiteral("generateButton"));
    setControlText(m_generate, Txt::ReportGenerate);
    m_stopButton = new QPushButton(this);
    m_stopButton->setObjectName(QStringLiteral("stopButton"));
    setControlText(m_stopButton, Txt::ReportStop);
    m_stopButton->hide();
    auto *row = new QHBoxLayout;
    row->addWidget(m_progress, 1);
    row->addWidget(m_generate);
    row->addWidget(m_stopButton);
    return row;
}

int ReportDialog::choice() const
{
    for (int i = 0; i < kChoices; ++i) {
        if (m_kinds[i]->isChecked())
            return i;
    }
    return 0;
}

ReportKind ReportDialog::kind() const
{
    return kKinds[choice()].kind;
}

bool ReportDialog::isPdfSongbookChosen() const
{
    return m_kinds[kPdfChoice]->isChecked();
}

void ReportDialog::choosePdfSongbook()
{
    m_kinds[kPdfChoice]->setChecked(true);
}

void ReportDialog::showChoice()
{
    m_pdfOptions->setVisible(isPdfSongbookChosen());
    m_target->setText(QDir::toNativeSeparators(target()));
    m_target->setCursorPosition(0);
}

void ReportDialog::setTarget(int choice, const QString &path)
{
    m_targets[choice] = path.isEmpty() ? QDir(m_folder).filePath(defaultFileName(choice)) : path;
    showChoice();
}

QString ReportDialog::target() const
{
    return m_targets[choice()];
}

void ReportDialog::chooseTarget()
{
    const int chosen = choice();
    const QString filter = Lang::text(chosen == kPdfChoice ? Txt::ReportPdfFilter : Txt::ReportRtfFilter);
    const QString path = chooseSaveFile(this, m_targets[chosen], Lang::text(Txt::ReportChooseTarget), filter);
    if (path.isEmpty())
        return;
    setTarget(chosen, path);
    emit targetChosen(chosen, path);
}

void ReportDialog::setKind(ReportKind kind)
{
    m_kinds[int(kind)]->setChecked(true);
}

QString ReportDialog::confirmTarget(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        errorBox(this, Lang::text(Txt::ReportSaveFailed).arg(folder));
        return {};
    }
    // A folder, a device or a pipe is refused by the save, which says why.
    if (!QFileInfo::exists(path) || isNonRegularFile(path))
        return path;
    const QString other = QDir(folder).filePath(Report::freeFileName(folder, QFileInfo(path).fileName()));
    switch (questionBox(this, Lang::text(Txt::ReportReplaceQuestion).arg(path, other), QMessageBox::Cancel,
                        QMessageBox::No)) {
    case QMessageBox::Yes:
        return path;
    case QMessageBox::No:
        return other;
    default:
        return {};
    }
}

void ReportDialog::generate()
{
    if (m_runner.isBusy())
        return;
    const bool pdf = isPdfSongbookChosen();
    const ReportKind chosen = kind();
    const QString path = confirmTarget(target());
    if (path.isEmpty())
        return;

    QString message;
    m_runner.run([&](const Progress &base) {
        Progress progress = base;
        progress.onFile = [this](const QString &, int, int count) { m_progress->setMaximum(std::max(count, 1)); };
        progress.onCounter = [this](int done) {
            m_progress->setValue(done);
            m_runner.pump();
        };
        message = pdf ? writePdfSongbook(path, progress) : writeReport(chosen, path, progress);
        m_progress->setValue(0);
    });
    if (message.isEmpty())
        return;
    m_lastReport = path;
    openWithShell(this, path);
    announceWritten(this, message, QFileInfo(path).absolutePath());
}

QString ReportDialog::writeReport(ReportKind kind, const QString &path, const Progress &progress)
{
    ReportCounts counts;
    QString error;
    if (!Report::save(path, kind, m_library, Lang::text(Report::titleTextId(kind)), progress, &counts, &error)) {
        errorBox(this, Lang::text(Txt::ReportSaveFailed).arg(path) + u'\n' + error);
        return {};
    }
    QString message = Lang::text(Txt::ReportReady) + u'\n' + path;
    // A stopped report misses more than these, and the user knows it.
    if (counts.leftOut > 0 && !counts.stopped)
        message += u"\n\n" + Lang::text(Txt::ReportSongsLeftOut).arg(counts.leftOut);
    return message;
}

QString ReportDialog::writePdfSongbook(const QString &path, const Progress &progress)
{
    SongbookPdfOptions options;
    options.paper = m_paper->currentIndex() == 1 ? SongbookPdfOptions::Paper::A4 : SongbookPdfOptions::Paper::A5;
    options.columns = m_columns->currentIndex() + 1;
    SongbookPdfResult result;
    QString error;
    if (!SongbookPdf::save(path, m_library, options, SongbookPdfTexts::fromLanguage(), progress, &result, &error)) {
        if (result.stopped)
            infoBox(this, error);
        else
            errorBox(this, Lang::text(Txt::ReportSaveFailed).arg(path) + u'\n' + error);
        return {};
    }
    QString message = Lang::text(Txt::ReportReady) + u'\n' + path;
    for (const QString &warning : result.warnings())
        message += u"\n\n" + warning;
    return message;
}

void ReportDialog::setRunning(bool running)
{
    m_generate->setVisible(!running);
    m_stopButton->setVisible(running);
    for (QWidget *widget : {static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_cancel)})
        widget->setEnabled(!running);
    for (QRadioButton *button : m_kinds)
        button->setEnabled(!running);
    m_pdfOptions->setEnabled(!running);
    m_chooseTarget->setEnabled(!running);
}

void ReportDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReportDialog::closeEvent(QCloseEvent *event)
{
    // The running report owns the stack below this dialog: it is stopped, and the dialog stays
    // until the report has closed its file.
    if (m_runner.isBusy()) {
        stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ReportDialog::reject()
{
    if (m_runner.isBusy()) {
        stop();
        return;
    }
    QDialog::reject();
}
