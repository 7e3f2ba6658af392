// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/messageboxes.h"

#include "core/app/language.h"
#include "gui/app/uiseams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace MessageBoxes {
namespace {

bool nonInteractive()
{
    return qEnvironmentVariable("LUMIVOX_NONINTERACTIVE") == u"1";
}

QMessageBox::StandardButton firstButton(QMessageBox::StandardButtons buttons)
{
    for (auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        if (buttons.testFlag(b))
            return b;
    }
    return QMessageBox::NoButton;
}

void relabel(QMessageBox &box)
{
    static const struct
    {
        QMessageBox::StandardButton button;
        int textId;
    } kLabels[] = {
        {QMessageBox::Yes, Txt::ButtonYes},   {QMessageBox::Ok, Txt::ButtonOk},
        {QMessageBox::No, Txt::ButtonNo},     {QMessageBox::Cancel, Txt::ButtonCancel},
        {QMessageBox::Open, Txt::OpenFolder},
    };
    for (const auto &label : kLabels) {
        QAbstractButton *button = box.button(label.button);
        const QString text = Lang::text(label.textId);
        if (button && !text.isEmpty())
            button->setText(text);
    }
}

} // namespace

QMessageBox::StandardButton show(QWidget *owner, const Request &request, bool relabelButtons)
{
    if (const Responder &responder = seamsOf(owner).responder)
        return responder(request);
    if (nonInteractive()) {
        QTextStream err(stderr);
        err << request.caption << ": " << request.text << '\n';
        return firstButton(request.buttons);
    }
    QMessageBox box(request.icon, request.caption, request.text, request.buttons, owner);
    if (relabelButtons)
        relabel(box);
    for (const auto &[button, label] : request.labels) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(label);
    }
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace MessageBoxes

QMessageBox::StandardButton infoBox(QWidget *owner, const QString &text)
{
    return MessageBoxes::show(owner, {QMessageBox::Information, Lang::text(Txt::InfoCaption), text, QMessageBox::Ok},
                              true);
}

QMessageBox::StandardButton errorBox(QWidget *owner, const QString &text)
{
    return MessageBoxes::show(owner, {QMessageBox::Critical, Lang::text(Txt::ErrorCaption), text, QMessageBox::Ok},
                              true);
}

QMessageBox::StandardButton warningBox(QWidget *owner, const QString &text)
{
    return MessageBoxes::show(owner, {QMessageBox::Warning, Lang::text(Txt::ErrorCaption), text, QMessageBox::Ok},
                              true);
}

QMessageBox::StandardButton writtenBox(QWidget *owner, const QString &text, bool leftOut)
{
    return MessageBoxes::show(owner,
                              {leftOut ? QMessageBox::Critical : QMessageBox::Information,
                               Lang::text(leftOut ? Txt::ErrorCaption : Txt::InfoCaption), text,
                               QMessageBox::Ok | QMessageBox::Open, QMessageBox::Ok},
                              true);
}

QMessageBox::StandardButton questionBox(QWidget *owner, const QString &text, QMessageBox::StandardButtons extraButtons,
                                        QMessageBox::StandardButton defaultButton, int captionId)
{
    return MessageBoxes::show(owner,
                              {QMessageBox::Question, Lang::text(captionId), text,
                               QMessageBox::Yes | QMessageBox::No | extraButtons, defaultButton},
                              true);
}

QMessageBox::StandardButton choiceBox(QWidget *owner, const QString &text, const QList<MessageChoice> &choices,
                                      QMessageBox::StandardButton defaultButton)
{
    MessageBoxes::Request request{QMessageBox::Question, Lang::text(Txt::QuestionCaption), text, {}, defaultButton};
    for (const MessageChoice &choice : choices) {
        request.buttons |= choice.button;
        request.labels.append({choice.button, Lang::text(choice.textId)});
    }
    return MessageBoxes::show(owner, request, true);
}

void builtInMessage(QMessageBox::Icon icon, const QString &text)
{
    MessageBoxes::show(nullptr, {icon, QStringLiteral("Lumivox"), text, QMessageBox::Ok}, false);
}
