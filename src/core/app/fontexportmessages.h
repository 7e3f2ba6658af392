// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/font/fontexport.h"

#include <QString>

// Why the font export left a font out, in the loaded language: the text's "%1" filled with the
// font's name and "%2" with the count or line it names, or the name after the text.
QString fontExportSkippedText(const FontExportResult::Skipped &skipped);
// Every skipped font, one a line, under a heading with their number; empty when none was.
QString fontExportSkippedReport(const FontExportResult &result);
