// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/card/replacingfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <atomic>
#include <cstdio>

namespace {

constexpr qint64 kChunk = 256 * 1024;

// Short dot names: they stay below every name-length limit and are skipped by listings.
QString temporaryName(const QString &target, int attempt)
{
    static std::atomic_int counter{0};
    const QString dir = QFileInfo(target).path();
    return dir + u"/.lumivox-" + QString::number(QCoreApplication::applicationPid()) + u'-'
        + QString::number(counter.fetch_add(1)) + u'-' + QString::number(attempt) + u".tmp";
}

} // namespace

ReplacingFile::ReplacingFile(const QString &target) : m_target(target) {}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::open()
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_file.setFileName(temporaryName(m_target, attempt));
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            m_failed = false;
            return true;
        }
        if (m_file.error() != QFileDevice::OpenError || !QFileInfo::exists(m_file.fileName()))
            break;
    }
    m_file.setFileName(QString());
    return false;
}

bool ReplacingFile::write(const char *data, qint64 size)
{
    if (!m_file.isOpen() || m_failed)
        return false;
    while (size > 0) {
        const qint64 written = m_file.write(data, size);
        if (written <= 0) {
            m_failed = true;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool ReplacingFile::commit()
{
    if (!m_file.isOpen() || m_failed) {
        discard();
        return false;
    }
    m_file.close();
    if (m_file.error() != QFileDevice::NoError) {
        discard();
        return false;
    }
    // rename(2) replaces the target in one step; QFile::rename refuses an existing target.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_target).constData()) != 0) {
        discard();
        return false;
    }
    m_file.setFileName(QString());
    return true;
}

void ReplacingFile::discard()
{
    if (m_file.fileName().isEmpty())
        return;
    if (m_file.isOpen())
        m_file.close();
    QFile::remove(m_file.fileName());
    m_file.setFileName(QString());
}

bool copyFileReplacing(const QString &source, const QString &target)
{
    const QFileInfo info(source);
    if (info.isSymLink() || !info.isFile())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    ReplacingFile out(target);
    if (!out.open())
        return false;
    QByteArray buffer(static_cast<qsizetype>(qMin(kChunk, qMax<qint64>(in.size(), 1))), Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (!out.write(buffer.constData(), got))
            return false;
    }
    out.setPermissions(info.permissions());
    return out.commit();
}
