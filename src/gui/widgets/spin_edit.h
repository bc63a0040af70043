// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An integer spin edit whose text is free: a value outside the limits or a text that is not a
// number stays as typed (and readable), so that the reader can use its default and mark the field.
// Changing the limits never changes the value; the arrows step within the limits.

#include <QAbstractSpinBox>

class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit SpinEdit(QWidget* parent = nullptr);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinValue(int v) { min_ = v; }
  void SetMaxValue(int v) { max_ = v; }
  void SetRange(int lo, int hi) { min_ = lo, max_ = hi; }

  // The text read as an integer (0 when it is none); not limited.
  int Value() const;
  // Writes the value as text, limited to MinValue..MaxValue.
  void SetValue(int v);
  QString Text() const;
  void SetText(const QString& text);

  void SetMarked(bool marked);
  bool IsMarked() const { return marked_; }

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  // Every change of the text, typed or set.
  void Changed();

 protected:
  StepEnabled stepEnabled() const override;

 private:
  int min_ = 0, max_ = 100;
  bool marked_ = false;
};

// The edit's text read as an integer; inside the limits it is returned and the mark cleared,
// otherwise the field is marked light red and def is returned. The text is left as it is.
int ReadSpinValue(SpinEdit* edit, int def);

// Sets the value and marks the field when the value lies outside the limits.
void SetSpinValueMarked(SpinEdit* edit, int value);
