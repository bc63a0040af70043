// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving one numeric field of an editing panel continuously: a slider under the panel's fields
// for the field last entered, and the mouse wheel or the arrow keys over a field. While a value
// moves it is a model value (grid texts, modified flag) and the band chart follows; releasing
// keeps it, Escape brings back the value from before the move.

#include <QObject>
#include <QString>
#include <vector>

#include "model/panel_fields.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class TFormQuarnel;
class ModelDocument;

class LiveValue : public QObject {
  Q_OBJECT
 public:
  // Builds the strip of each panel; the panels and their fields must exist.
  LiveValue(TFormQuarnel* form, ModelDocument& document);

  // The slider, its range and the rescale choice of one panel.
  struct Strip {
    QGroupBox* panel = nullptr;
    QSlider* slider = nullptr;
    QLabel* name = nullptr;     // the field the slider moves
    QLineEdit* span = nullptr;  // the slider reaches the value +- span
    QCheckBox* rescale = nullptr;
    int field = -1;  // index into fields_, -1 before a field was entered
  };
  const Strip& StripOf(const QGroupBox* panel) const;

  // Off while a run reads the model; a move in progress is kept first.
  void SetEnabled(bool enabled);
  bool Moving() const { return moving_ >= 0; }

  static constexpr int kSliderSteps = 1000;  // the slider's positions, its middle the value

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QLineEdit* edit;
    QLabel* label;  // shows a position next to the field, or nullptr
    quarnel::PanelValue value;
    int d;
    int strip;
    QString name;
  };
  enum class Gesture { Slider, Keys, Wheel };

  void AddStrip(QGroupBox* panel, int x, int y);
  void AddField(int strip, QLineEdit* edit, quarnel::PanelValue value, int d, const QString& name,
                QLabel* label = nullptr);
  void Bind(int field);
  // The orbital or pair the field's panel is open for.
  bool TargetOf(const Field& f, quarnel::PanelTarget& t) const;
  double SpanOf(const Strip& s) const;
  bool Begin(int field, Gesture gesture);
  void MoveTo(double x);
  void Step(int field, double steps, Gesture gesture);
  void End(bool keep);
  void Recentre(Strip& s);
  void SliderMoved(int strip, int position);

  TFormQuarnel* form_;
  ModelDocument& doc_;
  std::vector<Strip> strips_;
  std::vector<Field> fields_;
  bool enabled_ = true;
  // The move in progress: its field (-1 none), gesture, target and what it started from.
  int moving_ = -1;
  Gesture gesture_ = Gesture::Keys;
  quarnel::PanelTarget target_;
  double before_ = 0, centre_ = 0, span_ = 1, now_ = 0;
  QString beforeText_;
  bool beforeModified_ = false;
};
