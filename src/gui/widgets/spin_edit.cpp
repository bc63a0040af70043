// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/spin_edit.h"

#include <QLineEdit>

#include "support/number_text.h"

namespace {
const QColor kMarkColor(255, 204, 204);
}

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  lineEdit()->setText("0");
  connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::Changed);
}

int SpinEdit::Value() const {
  int n = 0;
  quarnel::TryParseInt(lineEdit()->text().toStdString(), n);
  return n;
}

void SpinEdit::SetValue(int v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  SetText(QString::number(v));
}

QString SpinEdit::Text() const { return lineEdit()->text(); }

void SpinEdit::SetText(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void SpinEdit::SetMarked(bool marked) {
  if (marked == marked_) return;
  marked_ = marked;
  QPalette p = palette();
  p.setColor(QPalette::Base, marked ? kMarkColor : QPalette().color(QPalette::Base));
  p.setColor(QPalette::Text, QPalette().color(QPalette::Text));
  setPalette(p);
  lineEdit()->setPalette(p);
}

void SpinEdit::stepBy(int steps) {
  int n = 0;
  if (!quarnel::TryParseInt(Text().toStdString(), n)) n = min_;
  const long long next = static_cast<long long>(n) + steps;
  SetValue(static_cast<int>(std::max<long long>(min_, std::min<long long>(max_, next))));
  selectAll();
}

QValidator::State SpinEdit::validate(QString& input, int& pos) const {
  Q_UNUSED(input);
  Q_UNUSED(pos);
  return QValidator::Acceptable;  // any text; the reader decides what it means
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

int ReadSpinValue(SpinEdit* edit, int def) {
  int n = 0;
  const bool ok = quarnel::TryParseInt(edit->Text().toStdString(), n) && n >= edit->MinValue() &&
                  n <= edit->MaxValue();
  edit->SetMarked(!ok);
  return ok ? n : def;
}

void SetSpinValueMarked(SpinEdit* edit, int value) {
  edit->SetValue(value);
  edit->SetMarked(value < edit->MinValue() || value > edit->MaxValue());
}
