// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/fontexportmessages.h"

#include "core/app/language.h"

QString fontExportSkippedText(const FontExportResult::Skipped &skipped)
{
    const QString text = Lang::text(skipped.textId);
    if (!text.contains(u"%1"))
        return text + u' ' + skipped.fontName;
    return text.contains(u"%2") ? text.arg(skipped.fontName, QString::number(skipped.detail))
                                : text.arg(skipped.fontName);
}

QString fontExportSkippedReport(const FontExportResult &result)
{
    if (result.skipped.isEmpty())
        return {};
    QString report = Lang::text(Txt::FontExportSkippedFonts).arg(result.skipped.size());
    for (const FontExportResult::Skipped &skipped : result.skipped)
        report += u'\n' + fontExportSkippedText(skipped);
    return report;
}
