// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and the header of a model file are bytes as read; windows show them as text.

#include <QString>
#include <string>

// Text from a file (UTF-8 when valid, else Latin-1) for display, and back.
QString FromModelText(const std::string& bytes);
// Unchanged text keeps the bytes it was read with, whatever their character set.
std::string ToModelText(const QString& text, const std::string& original);
