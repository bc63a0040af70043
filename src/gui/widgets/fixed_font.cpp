// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/fixed_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {

bool IsFixedPitch(const QFont& f) {
  return QFontInfo(f).fixedPitch();
}

}  // namespace

QFont FixedPitchFont() {
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (IsFixedPitch(system)) return system;

  QFont hinted(QStringLiteral("monospace"));
  hinted.setStyleHint(QFont::Monospace, QFont::PreferMatch);
  hinted.setFixedPitch(true);
  hinted.setPointSizeF(system.pointSizeF());
  if (IsFixedPitch(hinted)) return hinted;

  // Families Debian ships most often first, then whatever the font database calls fixed pitch.
  QStringList families = {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("Noto Mono"),        QStringLiteral("Noto Sans Mono"),
                          QStringLiteral("FreeMono"),         QStringLiteral("Courier New")};
  for (const QString& family : QFontDatabase::families())
    if (QFontDatabase::isFixedPitch(family)) families.append(family);
  for (const QString& family : families) {
    QFont f = hinted;
    f.setFamily(family);
    if (IsFixedPitch(f)) return f;
  }
  return hinted;
}
