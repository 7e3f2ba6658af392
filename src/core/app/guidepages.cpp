// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/guidepages.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Page and folder names come from the program's own tables and the language file; a name with
// a separator or a dot could still reach outside the guide, so such a name is not used.
bool isPlainName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'-' || c == u'_'))
            return false;
    }
    return true;
}

} // namespace

QString Guide::folder(const QString &resourceDir)
{
    return resourceDir + u"guide/";
}

GuidePage Guide::find(const QString &guideFolder, const QString &languageFolder, const QString &page)
{
    const QString language = isPlainName(languageFolder) ? languageFolder : QString::fromUtf16(kFallbackFolder);
    const QString wanted = isPlainName(page) ? page : QString::fromUtf16(kContents);
    const QString english = QString::fromUtf16(kFallbackFolder);
    const QString contents = QString::fromUtf16(kContents);
    const QDir root(guideFolder);
    const struct
    {
        const QString &folder;
        const QString &name;
    } tries[] = {{language, wanted}, {english, wanted}, {language, contents}, {english, contents}};
    GuidePage result;
    for (const auto &attempt : tries) {
        const QString path = root.filePath(attempt.folder + u'/' + attempt.name + u".md");
        if (QFileInfo(path).isFile()) {
            result.path = path;
            return result;
        }
    }
    result.lookedAt = QDir::cleanPath(root.absolutePath());
    return result;
}
