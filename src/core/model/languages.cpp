// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/languages.h"

namespace Languages {

const QList<Row> &rows()
{
    static const QList<Row> table = {
        {QStringLiteral("Polski"), QStringLiteral("pl"), CharsetMode::Latin, QStringLiteral("ąĄćĆęĘłŁńŃóÓśŚźŹżŻ"),
         QStringLiteral("qt_pl")},
        {QStringLiteral("Deutsch"), QStringLiteral("de"), CharsetMode::Latin, QStringLiteral("öÖüÜäÄß"),
         QStringLiteral("qt_de")},
        {QStringLiteral("Slovensky"), QStringLiteral("sk"), CharsetMode::Latin,
         QStringLiteral("áčČďĎéíľĽÍňŇóÓŕšŠťŤúÚžŽýôä"), QStringLiteral("qt_sk")},
        {QStringLiteral("Česky"), QStringLiteral("cs"), CharsetMode::Latin,
         QStringLiteral("ÁáČčĎďĚěÉéÍíŇňÓóŘřŠšŤťŮůÚúÝýŽž"), QStringLiteral("qt_cs")},
        {QStringLiteral("English"), QStringLiteral("en"), CharsetMode::Latin, QString(), QStringLiteral("qt_en")},
        {QStringLiteral("Русский"), QStringLiteral("ru"), CharsetMode::Cyrillic, QString(), QStringLiteral("qt_ru")},
    };
    return table;
}

QString normalizedName(const QString &name)
{
    return name.normalized(QString::NormalizationForm_C);
}

bool sameName(const QString &a, const QString &b)
{
    return normalizedName(a).compare(normalizedName(b), Qt::CaseInsensitive) == 0;
}

const Row *find(const QString &name)
{
    for (const Row &row : rows()) {
        if (sameName(row.name, name))
            return &row;
    }
    return nullptr;
}

CharsetMode charsetOf(const QString &name)
{
    const Row *row = find(name);
    return row ? row->charset : CharsetMode::Latin;
}

QString isoCodeOf(const QString &name)
{
    const Row *row = find(name);
    return row ? row->isoCode : QString();
}

} // namespace Languages
