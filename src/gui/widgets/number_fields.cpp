// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/number_fields.h"

#include <QLineEdit>
#include <QPalette>

#include "support/number_text.h"

namespace {
const QColor kMarkColor(255, 204, 204);

void Tint(QLineEdit* edit) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Base,
             NumberFieldUnreadable(edit) ? kMarkColor : QPalette().color(QPalette::Base));
  edit->setPalette(p);
}
}  // namespace

bool NumberFieldUnreadable(const QLineEdit* edit) {
  double x = 0;
  return !edit->text().trimmed().isEmpty() && !quarnel::ReadNumber(edit->text().toStdString(), x);
}

void WatchNumberField(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { Tint(edit); });
}

QStringList UnreadableFields(const std::vector<std::pair<QLineEdit*, QString>>& fields) {
  QStringList names;
  for (const auto& [edit, name] : fields)
    if (NumberFieldUnreadable(edit)) names << name;
  return names;
}

QString CountedAsZeroText(const QStringList& names) {
  return names.isEmpty() ? QString() : "Counted as 0: " + names.join(", ");
}
