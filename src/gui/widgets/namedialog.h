// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// A dialog that asks for one name: a label, an edit, OK and Cancel. Subclasses check the name
// in accept().
class NameDialog : public QDialog
{
    Q_OBJECT
public:
    NameDialog(int titleId, int labelId, const QString &text, QWidget *parent = nullptr);

    QString name() const;
    QLineEdit *edit() const { return m_edit; }

protected:
    // Shows the refusal of a name check (0 = accepted) with the warning icon, the forbidden-
    // character text with the list of characters. Answers whether the name was accepted.
    bool acceptOrExplain(int refusal, int forbiddenId);

private:
    QLineEdit *m_edit;
};
