// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

// Asks what to look for in the library tree: a part of a title or a song number.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SearchDialog(const QString &lastText, QWidget *parent = nullptr);

    bool byNumber() const;
    // The title text in lower case.
    QString text() const;
    int number() const;

    QLineEdit *textEdit() const { return m_textEdit; }
    QLineEdit *numberEdit() const { return m_numberEdit; }
    QRadioButton *numberRadio() const { return m_byNumber; }

public slots:
    void accept() override;

private:
    void applyMode();

    QRadioButton *m_byTitle;
    QRadioButton *m_byNumber;
    QLineEdit *m_textEdit;
    QLineEdit *m_numberEdit;
};
