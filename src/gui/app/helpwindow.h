// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QAction;
class QTextBrowser;

// A window showing the guide's Markdown pages, following their links and pictures from disk;
// Back, Forward and Contents above the page.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows a page file; its links and pictures are relative to it.
    void showPage(const QString &path);
    QString currentPage() const;
    QTextBrowser *browser() const { return m_browser; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showContents();
    // Pictures wider than the page are shown at the page's width, so that none needs scrolling.
    void fitPictures();

    QTextBrowser *m_browser;
    QAction *m_back;
    QAction *m_forward;
};
