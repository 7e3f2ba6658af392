// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read as a language table: no crash, every text within its limit and never ending in
// half a surrogate pair, and the same table each time the bytes are read.
#include "core/app/languagetable.h"
#include "fuzzsupport.h"

#include <QBuffer>

namespace {

void require(bool condition, const char *what)
{
    Fuzz::require(condition, "fuzz_language", what);
}

void readTable(const QByteArray &bytes, LanguageTable &table)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    require(table.read(buffer), "an open buffer was not read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Larger files never reach the reader: load() refuses them unread.
    if (qint64(size) > LanguageTable::kMaxFileSize)
        return 0;
    const QByteArray input = Fuzz::bytes(data, size);
    LanguageTable table;
    readTable(input, table);
    const QList<int> ids = table.ids();
    for (int id : ids) {
        const QString text = table.text(id);
        require(id >= 0, "negative id");
        require(text.size() <= LanguageTable::kMaxTextLength, "text over its limit");
        require(text.isEmpty() || !text.back().isHighSurrogate(), "text cut inside a surrogate pair");
    }
    // A table read over a filled one holds only what the second read found.
    LanguageTable again;
    readTable(QByteArrayLiteral("1=x\n999999=y\nversion=7\n"), again);
    readTable(input, again);
    require(again.version() == table.version(), "version differs between reads");
    require(again.ids().size() == ids.size(), "id count differs between reads");
    for (int id : ids)
        require(again.text(id) == table.text(id), "text differs between reads");
    return 0;
}
