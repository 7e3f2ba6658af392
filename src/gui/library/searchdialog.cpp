// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/library/searchdialog.h"

#include "core/app/language.h"
#include "core/util/leadingint.h"
#include "gui/app/dialogtext.h"
#include "gui/app/messageboxes.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

SearchDialog::SearchDialog(const QString &lastText, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SearchDialog"));
    setControlText(this, Txt::SearchTitle);
    auto *box = new QGroupBox(this);
    setControlText(box, Txt::SearchOptions);
    m_byTitle = new QRadioButton(box);
    m_byNumber = new QRadioButton(box);
    setControlText(m_byTitle, Txt::SearchByTitle);
    setControlText(m_byNumber, Txt::SearchByNumber);
    m_textEdit = new QLineEdit(lastText, box);
    m_textEdit->setObjectName(QStringLiteral("searchText"));
    m_numberEdit = new QLineEdit(box);
    m_numberEdit->setObjectName(QStringLiteral("searchNumber"));
    m_textEdit->setAccessibleName(m_byTitle->text().remove(u'&'));
    m_numberEdit->setAccessibleName(m_byNumber->text().remove(u'&'));
    m_numberEdit->setValidator(new QIntValidator(0, 9999, m_numberEdit));
    auto *grid = new QGridLayout(box);
    grid->addWidget(m_byTitle, 0, 0);
    grid->addWidget(m_textEdit, 0, 1);
    grid->addWidget(m_byNumber, 1, 0);
    grid->addWidget(m_numberEdit, 1, 1);
    QDialogButtonBox *buttons = okCancelButtons(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
    m_byTitle->setChecked(true);
    connect(m_byTitle, &QRadioButton::toggled, this, &SearchDialog::applyMode);
    applyMode();
    m_textEdit->selectAll();
    m_textEdit->setFocus();
    setMinimumWidth(380);
}

void SearchDialog::applyMode()
{
    m_textEdit->setEnabled(m_byTitle->isChecked());
    m_numberEdit->setEnabled(m_byNumber->isChecked());
    // Typing goes on in the field of the chosen mode.
    QLineEdit *edit = m_byTitle->isChecked() ? m_textEdit : m_numberEdit;
    if (isVisible())
        edit->setFocus();
}

bool SearchDialog::byNumber() const
{
    return m_byNumber->isChecked();
}

QString SearchDialog::text() const
{
    return m_textEdit->text().toLower();
}

int SearchDialog::number() const
{
    return leadingInt(m_numberEdit->text());
}

void SearchDialog::accept()
{
    const QLineEdit *edit = byNumber() ? m_numberEdit : m_textEdit;
    if (edit->text().isEmpty()) {
        infoBox(this, Lang::text(Txt::SearchEmpty));
        return;
    }
    QDialog::accept();
}
