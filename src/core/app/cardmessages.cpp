// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/cardmessages.h"

#include "core/app/language.h"

QString cardFindingText(const CardFinding &finding)
{
    const QString text = Lang::text(finding.textId);
    if (text.contains(u"%1"))
        return text.arg(finding.name);
    return finding.name.isEmpty() ? text : text + u": " + finding.name;
}

QString cardUnpackText(const CardUnpackResult &result)
{
    switch (result.status) {
    case CardUnpackStatus::Ok:
    case CardUnpackStatus::Stopped:
        return {};
    case CardUnpackStatus::WrongMagic:
        return Lang::text(Txt::CardDataWrongFormat);
    case CardUnpackStatus::OpenFailed:
    case CardUnpackStatus::DirectoryFailed:
        return Lang::text(Txt::CardDataReadFailed) + u" (" + result.name
            + (result.error.isEmpty() ? QString() : u": " + result.error) + u')';
    case CardUnpackStatus::Damaged:
        return cardFindingText({Txt::CardDataDamaged, result.name});
    case CardUnpackStatus::Truncated:
        return cardFindingText({Txt::CardDataTruncated, result.name});
    }
    return {};
}
