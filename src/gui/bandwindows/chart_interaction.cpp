// SPDX-License-Identifier: GPL-3.0-or-later
// What the user does with the charts outside a run: reading a band point, the axis menu, the
// orbital chart's size, printing; and the k-point files of the memo.

#include <qcustomplot.h>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSlider>
#include <QTextBlock>
#include <algorithm>

#include "bands/kpoint_files.h"
#include "bandwindows/band_window.h"
#include "document/model_document.h"
#include "support/number_text.h"
#include "support/text_utils.h"
#include "widgets/chart_helpers.h"
#include "widgets/dialogs.h"
#include "widgets/orbital_view.h"

void TBandDlg::ConnectInteraction() {
  connect(Chart1, &QCustomPlot::plottableClick, this,
          [this](QCPAbstractPlottable* series, int index, QMouseEvent* event) {
            Chart1ClickSeries(series, index, event->button());
          });
  connect(Chart1, &QCustomPlot::mouseDoubleClick, this, &TBandDlg::Chart1DblClick);
  connect(Chart2, &QCustomPlot::mouseDoubleClick, this, &TBandDlg::Chart2DblClick);
  PrepareSaveItems();
}

void TBandDlg::Chart1ClickSeries(QCPAbstractPlottable* series, int v, Qt::MouseButton button) {
  // During a run the main window's k point belongs to the run, except while it is paused:
  // reading a point's weights is what one pauses for.
  if (button != Qt::LeftButton || (running_ && !doc_.Paused()) || !series) return;
  const int n = doc_.OrbitalCount();
  int t = SeriesTag(series);
  // The bars lie over their band point; a click on one reads that point (bar b belongs to band
  // b mod N + 1 at point b div N).
  if (n > 0 && t > n && t <= 2 * n && v >= 0) {
    t = v % n + 1;
    v /= n;
    series = Chart1->plottable(t);
  }
  QString text0 = QString("[%1,%2] ").arg(t).arg(v);
  QString text1;
  const bool band = t >= 1 && t <= n && v >= 0 && v < static_cast<int>(BandPoints.size());
  if (band) {
    const BandPoint& p = BandPoints[v];
    const int b = v * n + t - 1;
    text1 = QString("[%1,%2] ").arg(t).arg(b);
    std::string line = Memo1->document()->findBlockByNumber(p.line).text().toStdString();
    quarnel::NormalizeSpaces(line);
    const auto* graph = qobject_cast<const QCPGraph*>(series);
    const double y = graph && v < graph->dataCount() ? (graph->data()->constBegin() + v)->value : 0;
    text0 += QString("%1: k=%2 Y=%3")
                 .arg(series->name(), QString::fromStdString(line),
                      QString::fromStdString(quarnel::FormatFixed(y, 6, 3)));
    for (int j = 1; j <= n && n + j < Chart1->plottableCount(); ++j) {
      const auto* bars = qobject_cast<const WeightBars*>(Chart1->plottable(n + j));
      if (!bars || b >= bars->Count()) continue;
      const double weight = (bars->At(b).end - bars->At(b).start) * 50 / markerSize_;
      text1 += QString("%1=%2 ").arg(QString::fromStdString(doc_.Model().OrbName[j]),
                                     QString::fromStdString(quarnel::FormatFixed(weight, 3, 2)));
    }
  }
  SetStatusPanelFit(StatusBar1, 0, text0);
  SetStatusPanelFit(StatusBar1, 1, text1);
  // The status panels cut a long result; the chart shows all of it, in its top left corner.
  QCPItemText* shown = nullptr;
  for (int k = 0; k < Chart1->itemCount(); ++k)
    if (Chart1->item(k)->objectName() == "clickResult")
      shown = qobject_cast<QCPItemText*>(Chart1->item(k));
  if (!shown) {
    shown = new QCPItemText(Chart1);
    shown->setObjectName("clickResult");
    shown->position->setType(QCPItemPosition::ptAxisRectRatio);
    shown->position->setCoords(0.01, 0.01);
    shown->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
    shown->setTextAlignment(Qt::AlignLeft);
    shown->setBrush(QBrush(QColor(255, 255, 255, 220)));
    shown->setPadding(QMargins(3, 2, 3, 2));
    shown->setSelectable(false);
    // A narrow plot area would cut it; the chart's right edge is the limit.
    shown->setClipToAxisRect(false);
  }
  // Short lines, so that a narrow chart shows them whole: the band, k, the energy, and the
  // orbital weights up to three to a line, as many as the chart's width takes.
  QStringList lines;
  const QString head = text0.trimmed();
  const int colon = head.indexOf(": k="), energy = head.lastIndexOf(" Y=");
  if (band && colon > 0 && energy > colon)
    lines << head.left(colon) << head.mid(colon + 2, energy - colon - 2) << head.mid(energy + 1);
  else
    lines << head;
  const QStringList weights = text1.trimmed().split(' ', Qt::SkipEmptyParts);
  const QFontMetrics metrics(shown->font());
  const int room = Chart1->width() - Chart1->axisRect()->left() - 12;
  int perLine = 3;
  const auto widest = [&](int n) {
    int w = 0;
    for (int k = 1; k < weights.size(); k += n)
      w = std::max(w, metrics.horizontalAdvance(weights.mid(k, n).join(' ')));
    return w;
  };
  while (perLine > 1 && widest(perLine) > room) --perLine;
  for (int k = 1; k < weights.size(); k += perLine) lines << weights.mid(k, perLine).join(' ');
  shown->setText(lines.join('\n'));
  Chart1->replot();
  // The point is recomputed at the k point it was computed at, whatever the memo says now.
  if (band) {
    const BandPoint& p = BandPoints[v];
    ComputeKPoint(p.nx, p.ny, p.nz, p.div);
  }
}

void TBandDlg::Chart1DblClick(QMouseEvent* event) {
  MenuChart = Chart1;
  PrepareSaveItems();
  const QPoint at = event->globalPosition().toPoint();
  PopupChartMenu(at.x(), at.y());
}

void TBandDlg::Chart2DblClick(QMouseEvent* event) {
  const QPoint at = event->globalPosition().toPoint();
  if (!PointInPlotRect(this, Chart2, at.x(), 0, at.y())) return;
  MenuChart = Chart2;
  PrepareSaveItems();
  PopupChartMenu(at.x(), at.y());
}

void TBandDlg::btnPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  if (CurrentDialogs().Print(this, printer)) PrintWindow(printer);
}

void TBandDlg::PrintWindow(QPrinter& printer) {
  const QPixmap picture = grab();
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = painter.viewport();
  const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawPixmap(QRect(page.topLeft(), size), picture);
  painter.end();
}

void TBandDlg::btnResizeOrbClick() {
  ResetAxis(Chart3->xAxis);
  ResetAxis(Chart3->yAxis);
  orbitals_->RequestRescale(true);
  orbitals_->Fit();
}

void TBandDlg::TrackBar1Change() {
  orbitals_->SetScale(static_cast<double>(TrackBar1->value()) / orbitals_->ScaleSteps());
  // Only a request: the next picture is drawn at the new scale and fitted then. Fitting now
  // would spend the request on the picture being replaced.
  orbitals_->RequestRescale(true);
}

void TBandDlg::ShowOrbitalScale() {
  const int steps = orbitals_->ScaleSteps();
  TrackBar1->setRange(1, 4 * steps);
  TrackBar1->setValue(static_cast<int>(std::lround(steps * orbitals_->Scale())));
  TrackBar1->setTickInterval(steps);
}

// k-point files.

namespace {
QString KpointFilter() {
  return QString("Quarnel kpoints (*.%1)|*.%1|Wien2k klist_band(*.%2)|*.%2|All Files (*.*)|*.*")
      .arg("qrk", "klist_band");
}
}  // namespace

void TBandDlg::btnOpenKpointsClick() {
  const QString name = CurrentDialogs().OpenFileName(this, KpointFilter(), "qrk");
  if (name.isEmpty()) return;
  // The dialog seam returns the file, not the filter entry: the extension tells the format.
  if (quarnel::FileExtension(name.toStdString()) == "klist_band")
    ReadKlistBand(name);
  else
    ReadKpointList(name);
}

void TBandDlg::ReadKpointList(const QString& name) {
  std::vector<std::string> lines;
  if (quarnel::ReadKpointList(name.toStdString(), lines, doc_.Messages()))
    ShowKpointLines(lines, name);
  quarnel::ShowPendingMessages(doc_.Messages());
}

void TBandDlg::ReadKlistBand(const QString& name) {
  std::vector<std::string> lines;
  if (quarnel::ReadKlistBand(name.toStdString(), lines, doc_.Messages())) {
    setWindowTitle(QString("Bands&DOS [%1]")
                       .arg(QString::fromStdString(quarnel::FileNameOnly(name.toStdString()))));
    ShowKpointLines(lines, name);
  }
  quarnel::ShowPendingMessages(doc_.Messages());
}

// The memo holds the lines read from name, unchanged since then.
void TBandDlg::ShowKpointLines(const std::vector<std::string>& lines, const QString& name) {
  QStringList text;
  for (const std::string& l : lines) text << QString::fromStdString(l);
  Memo1->setPlainText(text.join('\n'));
  Memo1->document()->setModified(false);
  KpointFile = name;
}
