// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/projectfile.h"

#include "core/card/cardpackjobs.h"
#include "core/util/fileutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProjectFile {

namespace {

// A link in place of the image directory is removed (the link, never what it points to) and a
// real directory made; false when that fails.
bool replaceLinkByDirectory(const QString &dir)
{
    if (!QFileInfo(dir).isSymLink())
        return true;
    return QFile::remove(dir) && QDir().mkpath(dir);
}

} // namespace

CardUnpackResult open(const QString &path, const QString &projectDir, const Progress &progress)
{
    const QString image = withoutTrailingSlash(projectDir);
    // The file is checked first: one that is no project leaves even a link in place.
    if (CardUnpackResult checked = CardDataFile::check(path); !checked.ok())
        return checked;
    if (!replaceLinkByDirectory(image)) {
        CardUnpackResult result;
        result.status = CardUnpackStatus::DirectoryFailed;
        result.name = image;
        return result;
    }
    CardUnpackResult result = CardDataFile::restoreImage(path, image, progress);
    switch (result.status) {
    case CardUnpackStatus::Damaged:
    case CardUnpackStatus::Truncated:
    case CardUnpackStatus::DirectoryFailed:
    case CardUnpackStatus::WriteFailed:
    case CardUnpackStatus::Stopped:
        deleteTree(image);
        break;
    case CardUnpackStatus::Ok:
    case CardUnpackStatus::OpenFailed:
    case CardUnpackStatus::WrongMagic:
        break;
    }
    return result;
}

CardPackResult save(const QString &path, const QString &cardRoot, const Progress &progress)
{
    return packCard(cardRoot, path, progress).pack;
}

} // namespace ProjectFile
