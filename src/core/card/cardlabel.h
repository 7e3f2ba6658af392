// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The volume label a card gets when it is formatted: FAT allows 11 characters, and mkfs.fat
// warns on lower case, so the label holds only A-Z, 0-9, blank, "-" and "_".
namespace CardLabel {

inline constexpr int kMaxLength = 11;

// The label to write for what the user typed (a-z become A-Z); nothing when it cannot be one.
std::optional<QString> fromTyped(const QString &typed);

} // namespace CardLabel
