// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardnamefindings.h"

#include "core/util/textids.h"

CardFinding undecodableNameFinding(const QString &prefix, QByteArrayView name)
{
    return {Txt::CardNameUndecodable, prefix + escapedFileName(name)};
}

CardFinding outsideGroupsFinding(const QString &name)
{
    return {Txt::CardOutsideGroups, name};
}

CardFindings cardUnlistedFindings(const QString &directory, const ItemListing &listing)
{
    const QString prefix = directory.isEmpty() ? QString() : directory + u'/';
    CardFindings findings;
    for (const QByteArray &raw : listing.undecodable)
        findings.append(undecodableNameFinding(prefix, raw));
    for (const QString &twin : listing.caseTwins)
        findings.append({Txt::CardCaseTwin, prefix + twin});
    return findings;
}

QHash<QString, CardFindings> cardNameFindings(const IssueList &issues)
{
    QHash<QString, CardFindings> findings;
    for (const LoadIssue &issue : issues) {
        int textId = 0;
        switch (issue.code) {
        case IssueCode::UndecodableName:
            textId = Txt::CardNameUndecodable;
            break;
        case IssueCode::OutsideGroups:
            textId = Txt::CardOutsideGroups;
            break;
        case IssueCode::CaseTwin:
            textId = Txt::CardCaseTwin;
            break;
        default:
            continue;
        }
        findings[issue.group].append({textId, issue.location()});
    }
    return findings;
}
