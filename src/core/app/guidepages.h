// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The user guide: Markdown pages in <guide folder>/<language folder>/<page>.md, one folder per
// language ("pl", "en", ...), the same page names in each, "index" the contents.
struct GuidePage
{
    QString path;     // the page's file; empty when no guide page was found
    QString lookedAt; // the guide folder searched when nothing was found, for the message
};

namespace Guide {

inline constexpr char16_t kContents[] = u"index";
inline constexpr char16_t kFallbackFolder[] = u"en";

// <resourceDir>guide/
QString folder(const QString &resourceDir);

// The page in the language's folder, else the English page, else the contents in the language,
// else the English contents. A page name is one plain word: anything else is the contents.
GuidePage find(const QString &guideFolder, const QString &languageFolder, const QString &page);

} // namespace Guide
