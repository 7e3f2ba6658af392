// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

#include <cstdio>

// Standard output or error as a device that no name from a file can steer the terminal
// through: every control character (C0 other than TAB and LF, DEL, and the C1 controls as UTF-8
// encodes them) becomes U+FFFD. A hostile file name cannot set the terminal's title or move
// the cursor.
class SafeOutput final : public QIODevice
{
public:
    explicit SafeOutput(FILE *file);
    ~SafeOutput() override;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    FILE *m_file;
    bool m_pendingC2 = false; // a 0xC2 lead byte ended the last write: a C1 control may follow
};
