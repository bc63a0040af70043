// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Locale-independent reading and writing of numbers. The readers accept a decimal point or
// comma and blanks anywhere; a failed read leaves 0 and returns false.

#include <string>

namespace quarnel {

// A plain decimal number (sign, digits, fraction, exponent). Overflow, inf and nan fail.
bool TryParseFloat(const std::string& s, double& x);

// A 32-bit integer, decimal or hexadecimal with a "$", "x" or "0x" prefix.
bool TryParseInt(const std::string& s, int& n);

// A plain number or one arithmetic operation (+ - * /) between two numbers.
bool ReadNumber(const std::string& s, double& x);

// Shortest general form: up to 15 significant digits, scientific with "E" only for tiny or huge.
std::string FormatGeneral(double x);

// printf "%<width>.<prec>f" in the C locale; a value that rounds to zero has no minus sign.
std::string FormatFixed(double x, int width, int prec);

// printf "%.<prec>g" in the C locale.
std::string FormatG(double x, int prec);

// Right-aligns text in at least width characters, like "%<width>s".
std::string PadLeft(const std::string& s, int width);

// printf "%<width>d".
std::string FormatInt(long long n, int width = 0);

}  // namespace quarnel
