// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/model_text.h"

#include <QByteArray>
#include <QStringDecoder>

QString FromModelText(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(QByteArray::fromStdString(bytes));
  if (utf8.hasError()) text = QString::fromLatin1(bytes.data(), static_cast<int>(bytes.size()));
  return text;
}

std::string ToModelText(const QString& text, const std::string& original) {
  if (FromModelText(original) == text) return original;
  return text.toUtf8().toStdString();
}
