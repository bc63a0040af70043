// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Panel fields that hold a number: one that cannot be read is tinted as the spin edits are,
// while it is typed, and Apply names the fields it counted as 0.

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QLineEdit;

// Tints edit light red (255, 204, 204) whenever its text is no number; an empty field is 0 as
// typed and stays untinted.
void WatchNumberField(QLineEdit* edit);
bool NumberFieldUnreadable(const QLineEdit* edit);

// The names of the fields that cannot be read, in order.
QStringList UnreadableFields(const std::vector<std::pair<QLineEdit*, QString>>& fields);
// "Counted as 0: alpha, beta y", or empty.
QString CountedAsZeroText(const QStringList& names);
