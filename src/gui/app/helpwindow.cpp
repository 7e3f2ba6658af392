// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/helpwindow.h"

#include "core/app/guidepages.h"
#include "core/app/language.h"

#include <QAction>
#include <QImage>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(Lang::text(Txt::GuideTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("guideBrowser"));
    m_browser->setAccessibleName(windowTitle());
    m_browser->setOpenLinks(true);
    // The guide is read from disk alone; a web address goes to the desktop's browser.
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(14);
    auto *close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), Lang::text(Txt::GuideBack));
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), Lang::text(Txt::GuideForward));
    m_forward->setShortcut(QKeySequence::Forward);
    QAction *contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), Lang::text(Txt::GuideContents));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &HelpWindow::showContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::fitPictures);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    resize(920, 720);
}

void HelpWindow::showPage(const QString &path)
{
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()), QTextDocument::MarkdownResource);
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().toLocalFile();
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitPictures();
}

void HelpWindow::fitPictures()
{
    QTextDocument *document = m_browser->document();
    const qreal room = m_browser->viewport()->width() - 2 * document->documentMargin() - 4;
    if (room <= 0)
        return;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(picture.name()));
            const QSize size = resource.value<QImage>().isNull() ? resource.value<QPixmap>().size()
                                                                 : resource.value<QImage>().size();
            if (size.isEmpty())
                continue;
            const qreal width = qMin<qreal>(size.width(), room);
            if (qFuzzyCompare(picture.width(), width))
                continue;
            picture.setWidth(width);
            picture.setHeight(size.height() * width / size.width());
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

void HelpWindow::showContents()
{
    const QFileInfo page(currentPage());
    const QString contents = page.dir().filePath(QString::fromUtf16(Guide::kContents) + u".md");
    if (QFileInfo(contents).isFile())
        showPage(contents);
}
