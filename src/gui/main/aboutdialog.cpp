// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/aboutdialog.h"

#include "core/app/appcore.h"
#include "core/app/language.h"
#include "core/app/version.h"
#include "gui/app/dialogtext.h"
#include "gui/app/shell.h"
#include "gui/main/ledbanner.h"
#include "gui/widgets/linklabel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setControlText(this, Txt::AboutTitle);

    auto *picture = new QLabel(this);
    picture->setPixmap(ledBanner(QStringLiteral("LUMIVOX"), QSize(360, 96)));
    picture->setAlignment(Qt::AlignCenter);

    auto *name = new QLabel(QStringLiteral("Lumivox ") + QStringLiteral(LUMIVOX_VERSION_TEXT), this);
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    name->setFont(bold);
    name->setAlignment(Qt::AlignCenter);

    auto *description = new QLabel(this);
    setControlText(description, Txt::AboutDescription);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignCenter);

    m_link = new LinkLabel(Lang::text(Txt::AboutDataFolderLink), this);
    m_link->setObjectName(QStringLiteral("dataFolderLink"));
    m_link->setAlignment(Qt::AlignCenter);
    const QString dataDir = AppCore::instance() ? AppCore::instance()->dirs().dataDir : QString();
    m_link->setToolTip(dataDir);
    m_link->setVisible(!dataDir.isEmpty());
    connect(m_link, &LinkLabel::clicked, this, [this, dataDir] { openWithShell(this, dataDir); });

    QDialogButtonBox *buttons = okButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(description);
    layout->addWidget(m_link);
    layout->addWidget(buttons);
    setFixedWidth(420);
}
