// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/cardmessages.h"

#include "core/app/datasize.h"
#include "core/app/language.h"

QString cardFindingText(const CardFinding &finding)
{
    const QString text = Lang::text(finding.textId);
    if (text.contains(u"%1"))
        return text.arg(finding.name);
    return finding.name.isEmpty() ? text : text + u": " + finding.name;
}

namespace {

QString withReason(const QString &error)
{
    return error.isEmpty() ? QString() : u" (" + error + u')';
}

} // namespace

QString cardJobProblemText(const CardJobResult &result, const QString &image, const QString &card)
{
    using Status = CardJobResult::Status;
    switch (result.status) {
    case Status::Finished:
    case Status::Stopped:
        return {};
    case Status::Refused:
        return cardFindingText(cardWriteRefusal(result.check, image, card));
    case Status::Busy:
        return result.holder.isEmpty() ? Lang::text(Txt::CardBusy).arg(result.folder)
                                       : Lang::text(Txt::CardBusyBy).arg(result.folder, result.holder);
    case Status::NoSpace:
        return Lang::text(Txt::PlanShortfall).arg(dataSizeText(result.shortfall));
    case Status::NotClearable:
        return Lang::text(Txt::CardNotClearable).arg(result.error, result.reason);
    case Status::BackupFailed:
        return Lang::text(Txt::BackupFailed).arg(result.error);
    case Status::ClearFailed:
        return result.backupPath.isEmpty()
            ? cardFindingText({Txt::CardClearFailed, result.error})
            : Lang::text(Txt::ClearFailedWithBackup).arg(result.error, result.backupPath);
    }
    return {};
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
        return Lang::text(Txt::CardDataReadFailed) + u" (" + result.name
            + (result.error.isEmpty() ? QString() : u": " + result.error) + u')';
    case CardUnpackStatus::DirectoryFailed:
        return cardFindingText({Txt::UnpackFolderNotMade, result.name}) + withReason(result.error);
    case CardUnpackStatus::WriteFailed:
        return cardFindingText({Txt::CardFileNotWritten, result.name}) + withReason(result.error) + u' '
            + Lang::text(Txt::UnpackStopped).arg(result.files);
    case CardUnpackStatus::Damaged:
        return cardFindingText({Txt::CardDataDamaged, result.name});
    case CardUnpackStatus::Truncated:
        return cardFindingText({Txt::CardDataTruncated, result.name});
    }
    return {};
}

QString cardPlanChangeText(CardPlanChange change, CardPlanMode mode)
{
    switch (change) {
    case CardPlanChange::New:
        return Lang::text(Txt::CardChangeNew);
    case CardPlanChange::Replace:
        return Lang::text(Txt::CardChangeReplaced);
    case CardPlanChange::Same:
        return Lang::text(Txt::PlanSame);
    case CardPlanChange::Extra:
        return Lang::text(mode == CardPlanMode::Write ? Txt::PlanExtraDeleted : Txt::PlanExtraKept);
    case CardPlanChange::Unreadable:
        return Lang::text(Txt::PlanUnreadable);
    }
    return {};
}

QString cardPlanKindText(int kind)
{
    static const Txt::Id kKinds[] = {Txt::CardKindSong, Txt::CardKindPlaylist, Txt::CardKindSlide, Txt::PlanKindOther};
    return Lang::text(kKinds[qBound(0, kind, 3)]);
}

QStringList cardPlanSummaryLines(const CardPlanSummary &summary)
{
    QString cluster = dataSizeText(summary.cluster);
    // The card gave no block size: the figure rests on an assumption, and says so.
    if (summary.clusterAssumed)
        cluster += u" (?)";
    QStringList lines{
        Lang::text(Txt::PlanSummary)
            .arg(QString::number(summary.count(CardPlanChange::New)),
                 QString::number(summary.count(CardPlanChange::Replace)),
                 QString::number(summary.count(CardPlanChange::Same)),
                 QString::number(summary.count(CardPlanChange::Extra)),
                 QString::number(summary.count(CardPlanChange::Unreadable)), dataSizeText(summary.bytesToWrite),
                 dataSizeText(summary.spaceNeeded), cluster,
                 summary.spaceKnown() ? dataSizeText(summary.spaceAvailable) : Lang::text(Txt::SpaceUnknown))};
    if (summary.shortfall() > 0)
        lines.append(Lang::text(Txt::PlanShortfall).arg(dataSizeText(summary.shortfall())));
    return lines;
}
