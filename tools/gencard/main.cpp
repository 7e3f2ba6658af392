// SPDX-License-Identifier: GPL-3.0-or-later
// lumivox-gencard: writes a synthetic card and prints the issues planted in it as
// "number<TAB>code<TAB>fileType<TAB>name", sorted like `lumivox-cli scan --tsv` sorts by number.
#include "common/toolarguments.h"
#include "synth/syntheticcard.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    const int early = checkToolArguments(
        args, {u"--songs"_qs, u"--duplicates"_qs, u"--same-titles"_qs},
        "usage: lumivox-gen-card DIR [--songs N] [--duplicates N] [--same-titles N]\n");
    if (early >= 0)
        return early;
    SyntheticCardSpec plan;
    auto takeInt = [&](const QString &option, int *value) {
        const qsizetype i = args.indexOf(option);
        if (i < 0 || i + 1 >= args.size())
            return i < 0;
        bool ok = false;
        *value = args.at(i + 1).toInt(&ok);
        args.remove(i, 2);
        return ok;
    };
    if (!takeInt(QStringLiteral("--songs"), &plan.songs)
        || !takeInt(QStringLiteral("--duplicates"), &plan.duplicateNumbers)
        || !takeInt(QStringLiteral("--same-titles"), &plan.sameTitles) || args.size() != 1) {
        err << "usage: lumivox-gen-card DIR [--songs N] [--duplicates N] [--same-titles N]\n";
        return 2;
    }
    QList<PlantedIssue> planted;
    QString error;
    if (!generateSyntheticCard(args.first(), plan, &planted, &error)) {
        err << "lumivox-gencard: " << error << '\n';
        return 2;
    }
    std::sort(planted.begin(), planted.end(), [](const PlantedIssue &a, const PlantedIssue &b) {
        return std::tie(a.number, a.code, a.fileType, a.name) < std::tie(b.number, b.code, b.fileType, b.name);
    });
    for (const PlantedIssue &issue : std::as_const(planted))
        out << issue.number << '\t' << issue.code << '\t' << issue.fileType << '\t' << issue.name << '\n';
    return 0;
}
