// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/appsettings.h"

#include "core/model/languages.h"
#include "core/util/fileutils.h"

#include <QSettings>

const QString AppSettings::kSection = QStringLiteral("Ustawienia programu");

namespace {

const QString kMaxX = QStringLiteral("MaxX");
const QString kMaxY = QStringLiteral("MaxY");
const QString kLastImportDir = QStringLiteral("LastImportDir");
const QString kLastFont = QStringLiteral("Last Font");
const QString kFontDir = QStringLiteral("Font Dir");
const QString kLyricsDir = QStringLiteral("Lyrics Dir");
const QString kScreenDir = QStringLiteral("Screen Dir");
const QString kLastLang = QStringLiteral("LastLang");
const QString kLastDir = QStringLiteral("LastDir");
const QString kLastMusicDir = QStringLiteral("LastMusicDir");

int intValue(const QSettings &store, const QString &key, int fallback)
{
    bool ok = false;
    const int value = store.value(key, fallback).toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

int AppSettings::charsetForLanguage(const QString &language)
{
    return int(Languages::charsetOf(language));
}

void AppSettings::setLastLanguage(const QString &name)
{
    m_lastLanguage = name;
    m_charset = charsetForLanguage(name);
}

void AppSettings::setLineMode(LineMode mode)
{
    m_maxY = mode == SixRows ? 6 : 10;
    m_maxX = mode == SixRows ? 16 : 20;
}

QString AppSettings::joinPath(const QString &parent, const QString &name)
{
    if (parent.isEmpty())
        return name;
    return parent + u'/' + name;
}

void AppSettings::splitPath(const QString &path, QString *parent, QString *name)
{
    const QString clean = withoutTrailingSlash(path);
    const qsizetype slash = clean.lastIndexOf(u'/');
    if (slash < 0) {
        parent->clear();
        *name = clean;
        return;
    }
    *parent = clean.left(slash);
    *name = clean.mid(slash + 1);
}

bool AppSettings::load()
{
    if (!m_store)
        return false;
    QSettings &s = *m_store;
    s.beginGroup(kSection);
    m_maxX = intValue(s, kMaxX, 20);
    m_maxY = intValue(s, kMaxY, 10);
    m_lastImportDir = s.value(kLastImportDir).toString();
    m_lastFont = s.value(kLastFont, QStringLiteral("Font_V1.fnt")).toString();
    m_fontDir = s.value(kFontDir, QStringLiteral("Font")).toString();
    setLyricsDir(s.value(kLyricsDir, QStringLiteral("Teksty")).toString());
    setScreenDir(s.value(kScreenDir, QStringLiteral("Ekrany")).toString());
    setLastLanguage(s.value(kLastLang, QStringLiteral("Polski")).toString());
    m_lastDir = s.value(kLastDir).toString();
    m_lastMusicDir = s.value(kLastMusicDir).toString();
    s.endGroup();
    return true;
}

bool AppSettings::save(bool alsoMusicMap)
{
    if (!m_store)
        return false;
    QSettings &s = *m_store;
    s.beginGroup(kSection);
    s.setValue(kLastFont, m_lastFont);
    s.setValue(kFontDir, m_fontDir);
    s.setValue(kLyricsDir, lyricsDir());
    s.setValue(kScreenDir, screenDir());
    s.setValue(kLastLang, m_lastLanguage);
    s.setValue(kLastDir, m_lastDir);
    s.setValue(kLastImportDir, m_lastImportDir);
    s.setValue(kLastMusicDir, m_lastMusicDir);
    s.setValue(kMaxX, m_maxX);
    s.setValue(kMaxY, m_maxY);
    s.endGroup();
    s.sync();
    bool ok = s.status() == QSettings::NoError;
    if (alsoMusicMap)
        ok = m_musicMap.save(m_musicMapPath) && ok;
    return ok;
}

bool AppSettings::setMusicFor(const QString &title, const QString &musicFile)
{
    m_musicMap.setValue(title, musicFile);
    return save(true);
}
