// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/live_value.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QWheelEvent>
#include <cmath>

#include "bands/band_window.h"
#include "bands/live_bands.h"
#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "model/panel_values.h"
#include "support/number_text.h"
#include "widgets/string_grid.h"

using quarnel::PanelValue;

namespace {

constexpr int kStripWidth = 166;
constexpr int kStripRow = 22;
// A wheel notch or an arrow key moves the value by this share of the span; a page key by ten.
constexpr double kStepShare = 0.02;

QString Text(double x) {
  return QString::fromStdString(quarnel::FormatGeneral(x));
}

// A moved value on the decade just below what one slider position spans, so that the field reads
// -2.6 rather than -2.6000000000000001.
double Rounded(double x, double span) {
  const double unit = std::pow(10.0, std::floor(std::log10(span / LiveValue::kSliderSteps * 2)));
  const double r = std::round(x / unit) * unit;
  return std::isfinite(r) ? r : x;
}

}  // namespace

LiveValue::LiveValue(TFormQuarnel* form, ModelDocument& document)
    : QObject(form), form_(form), doc_(document) {
  TFormQuarnel* f = form;
  AddStrip(f->gbInAlfa, 166, 158);
  AddStrip(f->gbInBeta, 10, 140);
  AddStrip(f->gbInBetaGen, 166, 150);
  const char* axis[] = {"", "X", "Y", "Z"};
  AddField(0, f->Edit2, PanelValue::Alpha, 1, "alpha");
  QLineEdit* own[] = {nullptr, f->EditABetaX, f->EditABetaY, f->EditABetaZ};
  QLineEdit* beta[] = {nullptr, f->EdBetaX, f->EdBetaY, f->EdBetaZ};
  QLineEdit* beta2[] = {nullptr, f->EdBeta2X, f->EdBeta2Y, f->EdBeta2Z};
  QLineEdit* minus[] = {nullptr, f->EditGenBetaMX, f->EditGenBetaMY, f->EditGenBetaMZ};
  QLineEdit* plus[] = {nullptr, f->EditGenBetaPX, f->EditGenBetaPY, f->EditGenBetaPZ};
  QLineEdit* re[] = {nullptr, f->EditGenSocReX, f->EditGenSocReY, f->EditGenSocReZ};
  QLineEdit* im[] = {nullptr, f->EditGenSocImX, f->EditGenSocImY, f->EditGenSocImZ};
  QLineEdit* pos[] = {nullptr, f->EditGenX, f->EditGenY, f->EditGenZ};
  QLabel* posLabel[] = {nullptr, f->LabelGenBetaX, f->LabelGenBetaY, f->LabelGenBetaZ};
  QLabel* ownLabel[] = {nullptr, f->LabelABetaX, f->LabelABetaY, f->LabelABetaZ};
  for (int d = 1; d <= 3; ++d) {
    const QString a = axis[d];
    AddField(0, own[d], PanelValue::OwnBeta, d, "beta " + a, ownLabel[d]);
    AddField(1, beta[d], PanelValue::Beta, d, "beta " + a);
    AddField(1, beta2[d], PanelValue::Beta2, d, "beta2 " + a);
    AddField(2, minus[d], PanelValue::BetaMinus, d, "beta -" + a);
    AddField(2, plus[d], PanelValue::BetaPlus, d, "beta +" + a);
    AddField(2, re[d], PanelValue::SocRe, d, "R " + a);
    AddField(2, im[d], PanelValue::SocIm, d, "I " + a);
    AddField(2, pos[d], PanelValue::Position, d, "pos " + a, posLabel[d]);
  }
  AddField(0, f->Editm, PanelValue::EffMass, 1, "m*");
  AddField(0, f->EditPlotX, PanelValue::PlotX, 1, "plot X");
  AddField(0, f->EditPlotY, PanelValue::PlotY, 1, "plot Y");
}

void LiveValue::AddStrip(QGroupBox* panel, int x, int y) {
  const int index = static_cast<int>(strips_.size());
  Strip s;
  s.panel = panel;
  s.slider = new QSlider(Qt::Horizontal, panel);
  s.slider->setObjectName("LiveSlider");
  s.slider->setGeometry(x, y, kStripWidth, kStripRow);
  s.slider->setRange(0, kSliderSteps);
  s.slider->setPageStep(kSliderSteps / 10);
  s.slider->setValue(kSliderSteps / 2);
  s.slider->setEnabled(false);
  s.slider->setToolTip("Moves the field last entered; Escape while moving restores its value");
  s.name = new QLabel("--", panel);
  s.name->setGeometry(x, y + kStripRow + 3, 50, kStripRow);
  s.span = new QLineEdit(panel);
  s.span->setGeometry(x + 52, y + kStripRow + 3, 50, kStripRow);
  s.span->setToolTip("The slider reaches the value plus or minus this");
  s.rescale = new QCheckBox("fit", panel);
  s.rescale->setGeometry(x + 108, y + kStripRow + 3, kStripWidth - 108, kStripRow);
  s.rescale->setToolTip("The energy axis follows the bands while the value moves");
  s.slider->installEventFilter(this);
  connect(s.slider, &QSlider::sliderPressed, this, [this, index] {
    Strip& st = strips_[index];
    if (st.field >= 0) Begin(st.field, Gesture::Slider);
  });
  connect(s.slider, &QSlider::valueChanged, this,
          [this, index](int position) { SliderMoved(index, position); });
  connect(s.slider, &QSlider::sliderReleased, this, [this, index] {
    if (Moving() && gesture_ == Gesture::Slider) End(true);
    Recentre(strips_[index]);
  });
  connect(s.span, &QLineEdit::editingFinished, this, [this, index] {
    Strip& st = strips_[index];
    double x = 0;
    if (!quarnel::ReadNumber(st.span->text().toStdString(), x) || !(x > 0) || !std::isfinite(x))
      st.span->setText(Text(SpanOf(st)));
  });
  connect(s.rescale, &QCheckBox::toggled, this, [this](bool on) {
    TBandDlg* bands = form_->BandWindow();
    if (bands && bands->Live && Moving()) bands->Live->SetRescale(on);
  });
  strips_.push_back(s);
}

void LiveValue::AddField(int strip, QLineEdit* edit, PanelValue value, int d, const QString& name,
                         QLabel* label) {
  fields_.push_back({edit, label, value, d, strip, name});
  edit->installEventFilter(this);
}

const LiveValue::Strip& LiveValue::StripOf(const QGroupBox* panel) const {
  for (const Strip& s : strips_)
    if (s.panel == panel) return s;
  return strips_.front();
}

void LiveValue::SetEnabled(bool enabled) {
  if (!enabled && Moving()) End(true);
  enabled_ = enabled;
  for (Strip& s : strips_) s.slider->setEnabled(enabled && s.field >= 0);
}

bool LiveValue::TargetOf(const Field& f, quarnel::PanelTarget& t) const {
  const quarnel::ModelData& m = doc_.Model();
  t.value = f.value;
  t.d = f.d;
  if (f.strip == 0) {
    // The orbital Apply would write: the selected row of an open orbital panel.
    t.i = form_->sgInputOverlap->currentRow() + 1;
    t.j = 0;
    return form_->SelRow >= 1 && quarnel::ValidOrbital(m, t.i);
  }
  t.i = form_->SelRow;
  t.j = form_->SelCol - 2;
  const int form = f.strip == 1 ? 1 : 2;
  return m.BetaTyp == form && quarnel::ValidPair(m, t.i, t.j);
}

double LiveValue::SpanOf(const Strip& s) const {
  double x = 0;
  if (quarnel::ReadNumber(s.span->text().toStdString(), x) && x > 0 && std::isfinite(x)) return x;
  if (s.field < 0) return 1;
  // Up to twice the value, or one unit around zero.
  double v = 0;
  quarnel::ReadNumber(fields_[s.field].edit->text().toStdString(), v);
  v = std::fabs(v);
  return v > 1e-12 && std::isfinite(v) ? v : 1;
}

void LiveValue::Bind(int field) {
  Strip& s = strips_[fields_[field].strip];
  if (s.field != field) {
    s.field = field;
    s.name->setText(fields_[field].name);
    s.span->clear();
    s.span->setText(Text(SpanOf(s)));
  }
  s.slider->setEnabled(enabled_);
  Recentre(s);
}

void LiveValue::Recentre(Strip& s) {
  const QSignalBlocker block(s.slider);
  s.slider->setValue(kSliderSteps / 2);
}

bool LiveValue::Begin(int field, Gesture gesture) {
  if (Moving()) End(true);
  TBandDlg* bands = form_->BandWindow();
  if (!enabled_ || (bands && bands->Running())) return false;
  const Field& f = fields_[field];
  if (f.edit->isHidden() || !TargetOf(f, target_)) return false;
  const double* number = quarnel::PanelNumber(doc_.Model(), target_);
  if (!number) return false;
  Bind(field);
  moving_ = field;
  gesture_ = gesture;
  before_ = centre_ = now_ = *number;
  span_ = SpanOf(strips_[f.strip]);
  beforeText_ = f.edit->text();
  beforeModified_ = form_->ModelModified();
  doc_.BeginLiveMove();
  if (bands && bands->Live) bands->Live->Begin(strips_[f.strip].rescale->isChecked());
  return true;
}

void LiveValue::MoveTo(double x) {
  if (!Moving()) return;
  const quarnel::ModelData& m = doc_.Model();
  const Field& f = fields_[moving_];
  bool set = false;
  const auto write = [this, x, &set](quarnel::ModelData& model) {
    set = quarnel::SetPanelValue(model, target_, x);
  };
  // Normalised as after Apply.
  if (f.strip == 0)
    doc_.EditOrbital(target_.i, write);
  else
    doc_.EditPair(target_.i, target_.j, write);
  if (!set) return;
  now_ = x;
  if (const double* number = quarnel::PanelNumber(m, target_)) f.edit->setText(Text(*number));
  if (f.label)
    f.label->setText(QString::fromStdString(
        quarnel::PositionLabelText(m, target_.i, target_.j ? target_.j : target_.i, target_.d)));
  form_->SetModelModified();
  form_->sgInputOverlap->viewport()->update();
  TBandDlg* bands = form_->BandWindow();
  if (bands && bands->Live) bands->Live->Request();
}

void LiveValue::End(bool keep) {
  if (!Moving()) return;
  const Field& f = fields_[moving_];
  if (!keep) {
    MoveTo(before_);
    f.edit->setText(beforeText_);
    form_->SetModelModified(beforeModified_);
  }
  moving_ = -1;
  doc_.EndLiveMove();
  TBandDlg* bands = form_->BandWindow();
  if (bands && bands->Live) bands->Live->End();
  Recentre(strips_[f.strip]);
}

void LiveValue::Step(int field, double steps, Gesture gesture) {
  if (moving_ != field && !Begin(field, gesture)) return;
  MoveTo(Rounded(now_ + steps * kStepShare * span_, span_));
}

void LiveValue::SliderMoved(int strip, int position) {
  Strip& s = strips_[strip];
  if (s.field < 0) return;
  if (!Moving() || moving_ != s.field) {
    // Keys or a click beside the handle: a move that lasts until the slider loses the focus.
    if (s.slider->isSliderDown() || !Begin(s.field, Gesture::Keys)) return;
  }
  const int middle = kSliderSteps / 2;
  MoveTo(Rounded(centre_ + span_ * (position - middle) / middle, span_));
}

bool LiveValue::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // Escape during a move is ours, not a shortcut's (the Bands&DOS window closes on it).
  if (type == QEvent::ShortcutOverride && Moving() &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      (watched == fields_[moving_].edit || watched == strips_[fields_[moving_].strip].slider)) {
    event->accept();
    return true;
  }
  for (std::size_t s = 0; s < strips_.size(); ++s) {
    if (watched != strips_[s].slider) continue;
    const int field = strips_[s].field;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        Moving() && moving_ == field) {
      End(false);
      return true;
    }
    if (type == QEvent::FocusOut && Moving() && moving_ == field && gesture_ == Gesture::Keys)
      End(true);
    return false;
  }
  int field = -1;
  for (std::size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].edit == watched) field = static_cast<int>(i);
  if (field < 0) return false;
  const bool mine = Moving() && moving_ == field;
  switch (type) {
    case QEvent::FocusIn:
      if (!Moving()) Bind(field);
      break;
    case QEvent::FocusOut:
      if (mine) End(true);
      break;
    case QEvent::Leave:
      if (mine && gesture_ == Gesture::Wheel) End(true);
      break;
    case QEvent::Wheel: {
      const auto* wheel = static_cast<QWheelEvent*>(event);
      const double notches = wheel->angleDelta().y() / 120.0;
      if (notches != 0) Step(field, notches, Gesture::Wheel);
      return true;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const double steps = key == Qt::Key_Up         ? 1
                           : key == Qt::Key_Down     ? -1
                           : key == Qt::Key_PageUp   ? 10
                           : key == Qt::Key_PageDown ? -10
                                                     : 0;
      if (steps != 0) {
        Step(field, steps, Gesture::Keys);
        return true;
      }
      if (key == Qt::Key_Escape && mine) {
        End(false);
        return true;
      }
      if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mine) End(true);
      break;
    }
    default:
      break;
  }
  return false;
}
