// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes unpacked as a card data file into a fresh folder below $TMPDIR: nothing lands
// outside it, nothing is a link, every name is plain, the file count is what is on disk (a
// truncated record leaves no file), and an Ok unpack packed and unpacked again gives the same
// tree.
#include "core/card/carddatafile.h"
#include "core/util/fileutils.h"
#include "fuzzsupport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_carddatafile", what);
}

CardUnpackResult unpack(const QByteArray &bytes, const QString &target)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return CardDataFile::read(buffer, target);
}

bool isLink(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0 || S_ISLNK(st.st_mode);
}

// The tree one level deep as the unpacker makes it: "dir/" for a directory, "dir/file md5" or
// "file md5" for a file. Checks names and links on the way; counts the files.
QStringList describeTree(const QString &root, int *files)
{
    QStringList lines;
    *files = 0;
    const auto fileLine = [&](const QString &path, const QString &shown) {
        require(!isLink(path), "a link was made");
        QFile file(path);
        require(file.open(QIODevice::ReadOnly), "an unpacked file cannot be read");
        lines << shown + u' '
                + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex());
        ++*files;
    };
    const QDir::Filters all = QDir::AllEntries | QDir::System | QDir::Hidden;
    for (const QString &name : QDir(root).entryList(all | QDir::NoDotAndDotDot, QDir::Name)) {
        require(CardDataFile::isPlainName(name), "a name that is not plain");
        const QString path = root + u'/' + name;
        require(!isLink(path), "a link was made");
        if (!QFileInfo(path).isDir()) {
            fileLine(path, name);
            continue;
        }
        lines << name + u'/';
        for (const QString &inner : QDir(path).entryList(all | QDir::NoDotAndDotDot, QDir::Name)) {
            require(CardDataFile::isPlainName(inner), "a name that is not plain");
            require(!QFileInfo(path + u'/' + inner).isDir() || isLink(path + u'/' + inner), "a nested directory");
            fileLine(path + u'/' + inner, name + u'/' + inner);
        }
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/fuzz_carddatafile-XXXXXX"));
    require(scratch.isValid(), "no scratch folder below $TMPDIR");
    const QString target = scratch.filePath(QStringLiteral("card"));
    const CardUnpackResult result = unpack(Fuzz::bytes(data, size), target);

    const QStringList around =
        QDir(scratch.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    require(around.isEmpty() || around == QStringList{QStringLiteral("card")}, "something outside the target");
    if (result.status == CardUnpackStatus::WrongMagic) {
        require(around.isEmpty(), "a wrong magic created the target");
        return 0;
    }
    int files = 0;
    const QStringList tree = describeTree(target, &files);
    require(files == result.files, "the file count is not what is on disk");
    if (!result.ok())
        return 0;

    // Packed again: only directory records can be written, so a tree with files in its root
    // has no second form.
    CardPackList list;
    for (const QString &line : tree) {
        if (!line.endsWith(u'/') && !line.contains(u'/'))
            return 0;
        if (line.endsWith(u'/')) {
            const QString name = line.chopped(1);
            list.append({name, target + u'/' + name, sortedEntries(target + u'/' + name, QDir::Files | QDir::Hidden)});
        }
    }
    QByteArray packed;
    QBuffer out(&packed);
    out.open(QIODevice::WriteOnly);
    const CardPackResult pack = CardDataFile::write(out, list);
    require(pack.ok && pack.skipped.isEmpty(), "an unpacked tree does not pack");
    const QString second = scratch.filePath(QStringLiteral("again"));
    const CardUnpackResult again = unpack(packed, second);
    require(again.ok() && again.files == files, "a packed tree does not unpack");
    int secondFiles = 0;
    require(describeTree(second, &secondFiles) == tree, "packed and unpacked again gives another tree");
    return 0;
}
