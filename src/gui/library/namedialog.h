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
    // Shows the refusal of a name check (0 = accepted): the forbidden-character texts with the
    // list of characters and the empty-name text in an error box, others as information.
    // Answers whether the name was accepted.
    bool acceptOrExplain(int refusal, int forbiddenId, int emptyId);

private:
    QLineEdit *m_edit;
};
