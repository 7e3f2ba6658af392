// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// A picture of text lit as on a dot-matrix board: amber dots on a dark panel.
QPixmap ledBanner(const QString &text, const QSize &size);
