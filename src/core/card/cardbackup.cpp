// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/cardbackup.h"

#include "core/card/cardwritecheck.h"
#include "core/card/librarypacking.h"
#include "core/model/itemname.h"
#include "core/util/fileutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Every entry below card that records does not hold, as a path below card; a folder the
// backup holds nothing of is named once, without what it contains.
QStringList entriesLeftOut(const QString &card, const CardPackList &records)
{
    QSet<QString> packed;
    QSet<QString> packedFolders;
    for (const CardPackDirectory &directory : records) {
        const QString prefix = directory.name.isEmpty() ? QString() : directory.name + u'/';
        if (!directory.name.isEmpty())
            packedFolders.insert(directory.name);
        for (const QString &file : directory.files)
            packed.insert(prefix + file);
    }
    QStringList left;
    for (const QString &name : entriesOf(card)) {
        if (isMediaLitter(name))
            continue;
        const QFileInfo info(card + u'/' + name);
        if (info.isDir() && !info.isSymLink() && packedFolders.contains(name)) {
            for (const QString &inner : entriesOf(info.filePath())) {
                if (!packed.contains(name + u'/' + inner))
                    left.append(name + u'/' + inner);
            }
        } else if (!packed.contains(name)) {
            left.append(name);
        }
    }
    return left;
}

} // namespace

CardBackupPlan planCardBackup(const QString &card)
{
    const QString root = withoutTrailingSlash(card);
    CardBackupPlan plan;
    QStringList rootFiles = sortedEntries(root, QDir::Files | QDir::NoSymLinks);
    rootFiles.removeIf([](const QString &name) { return !ItemName::kindOf(name) || !CardDataFile::isPlainName(name); });
    if (!rootFiles.isEmpty())
        plan.records.append({QString(), root, rootFiles});
    if (!sortedEntries(root, QDir::Dirs | QDir::NoSymLinks).isEmpty()) {
        for (CardPackDirectory &directory : libraryPackList(root)) {
            // Names a record cannot carry stay on the list of what the backup leaves out.
            directory.files.removeIf([](const QString &name) { return !CardDataFile::isPlainName(name); });
            if (CardDataFile::isPlainName(directory.name))
                plan.records.append(std::move(directory));
        }
    }
    plan.leftOut = entriesLeftOut(root, plan.records);
    return plan;
}

QString cardBackupPath(const QString &backupDir, const QString &label, const QDateTime &when)
{
    QString plain;
    for (const QChar c : label) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            plain += c;
        else if (!plain.isEmpty() && !plain.endsWith(u'_'))
            plain += u'_';
    }
    while (plain.endsWith(u'_'))
        plain.chop(1);
    if (plain.isEmpty())
        plain = QStringLiteral("card");
    const QString base = withoutTrailingSlash(backupDir) + u'/' + plain + u'-'
        + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = base + u".lvp";
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = base + u'-' + QString::number(n) + u".lvp";
    return path;
}
