// SPDX-License-Identifier: GPL-3.0-or-later
// Saving what the band and DOS charts show: their numbers as CSV (the same file quarnel-cli
// writes) and their pictures as PNG, SVG or PDF. Everything is written beside the target and
// renamed over it at the end, so a failed save leaves an existing file as it was.

#include <qcustomplot.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSvgGenerator>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "bandwindows/band_window.h"
#include "bandwindows/chart_files.h"
#include "document/model_document.h"
#include "support/text_file.h"
#include "widgets/chart_helpers.h"
#include "widgets/diagnostics_window.h"
#include "widgets/dialogs.h"

namespace {

const QString kDataFilter = QStringLiteral("CSV files (*.csv)|*.csv");
const QString kImageFilter =
    QStringLiteral("PNG image (*.png)|*.png|SVG image (*.svg)|*.svg|PDF document (*.pdf)|*.pdf");
// Pictures are drawn at least this large even from a chart squeezed by a small window.
constexpr int kMinImageSide = 200;
// PNG is a bitmap: twice the chart's pixels keep it sharp when printed or zoomed.
constexpr double kPngScale = 2.0;

// The name with the extension added when it has none.
QString WithExtension(const QString& name, const QString& extension) {
  return QFileInfo(name).suffix().isEmpty() ? name + "." + extension : name;
}

// Why a file could not be written there, in the words a user can act on.
QString SaveFailure(const QString& name, const QString& reason) {
  return QString("%1 could not be saved: %2.").arg(QDir::toNativeSeparators(name), reason);
}

QString FolderProblem(const QString& name) {
  const QFileInfo folder(QFileInfo(name).absolutePath());
  if (!folder.exists()) return "the folder does not exist";
  if (!folder.isDir()) return "the folder is a file";
  if (QFileInfo(name).isDir()) return "that name is a folder";
  return "the file could not be written";
}

// A symbolic link is followed, so that the link itself survives the save.
QString SaveTarget(const QString& name) {
  const QFileInfo info(name);
  return info.isSymLink() ? info.symLinkTarget() : name;
}

QString ProposedName(const std::string& modelFile, const char* what, const char* extension) {
  if (modelFile.empty()) return QString("%1.%2").arg(what, extension);
  const QFileInfo model(QString::fromStdString(modelFile));
  return model.dir().filePath(QString("%1_%2.%3").arg(model.completeBaseName(), what, extension));
}

bool DrawSvg(QCustomPlot* chart, const QString& file, int w, int h) {
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(w, h));
  svg.setViewBox(QRect(0, 0, w, h));
  svg.setResolution(96);  // opens at the chart's own size in a browser
  // The generator writes the title as it is: "Bands&DOS" would end the file's XML there.
  svg.setTitle(chart->window()->windowTitle().toHtmlEscaped());
  svg.setDescription(QStringLiteral("Quarnel " QUARNEL_VERSION));
  QCPPainter painter;
  if (!painter.begin(&svg)) return false;
  chart->toPainter(&painter, w, h);
  return painter.end();
}

// A name beside target that nothing uses, taken by creating the file there, so that a leftover
// of an earlier save or a file that happens to carry the name is neither written nor removed.
QString ReserveTemporary(const QString& target) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString temp =
        target + ".quarnel-save" + (attempt ? QString::number(attempt) : QString());
    QFile file(temp);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return temp;
    if (!QFileInfo::exists(temp) && !QFileInfo(temp).isSymLink()) break;
  }
  return QString();
}

// Writes the picture to a file beside the target and renames it over the target.
bool WriteImage(QCustomPlot* chart, const QString& name, const QString& format, QString& error) {
  const int w = std::max(chart->width(), kMinImageSide);
  const int h = std::max(chart->height(), kMinImageSide);
  const QString target = SaveTarget(name);
  const QString temp = ReserveTemporary(target);
  if (temp.isEmpty()) {
    error = FolderProblem(target);
    return false;
  }
  bool drawn = false;
  if (format == "png")
    drawn = chart->savePng(temp, w, h, kPngScale);
  else if (format == "svg")
    drawn = DrawSvg(chart, temp, w, h);
  else
    drawn = chart->savePdf(temp, w, h, QCP::epAllowCosmetic, "Quarnel " QUARNEL_VERSION,
                           chart->window()->windowTitle());
  // Some writers report success on a file they could not open; an empty file is no picture.
  if (!drawn || QFileInfo(temp).size() <= 0) {
    QFile::remove(temp);
    error = FolderProblem(target);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp.toStdString(), target.toStdString(), ec);
  if (ec) {
    QFile::remove(temp);
    error = QString::fromStdString(ec.message());
    return false;
  }
  return true;
}

}  // namespace

void TBandDlg::PrepareSaveItems() {
  TUnitPomDlg* pom = UnitPomDlg;
  if (!pom) return;
  connect(pom, &TUnitPomDlg::SaveDataRequested, this, &TBandDlg::miSaveDataClick,
          Qt::UniqueConnection);
  connect(pom, &TUnitPomDlg::SaveImageRequested, this, &TBandDlg::miSaveImageClick,
          Qt::UniqueConnection);
  // A run's numbers are saved when it has ended; its charts are still filling.
  pom->EnableSaveItems(!running_);
}

quarnel::RunDescription TBandDlg::RunNow() const {
  quarnel::RunDescription run;
  run.modelFile = doc_.Model().ModelFileName;
  run.modelForm = doc_.Model().BetaTyp;
  return run;
}

bool TBandDlg::ChartHasData(QCustomPlot* chart) {
  if (running_) {
    CurrentDialogs().Warning(this, "The charts are being filled: save when the run has ended.");
    return false;
  }
  if (chart == Chart1 && BandResult.Empty()) {
    CurrentDialogs().Warning(this, "The band chart is empty: press BANDS first.");
    return false;
  }
  if (chart == Chart2 && DosResult.Empty()) {
    CurrentDialogs().Warning(this, "The DOS chart is empty: press DOS first.");
    return false;
  }
  return chart == Chart1 || chart == Chart2;
}

void TBandDlg::miSaveDataClick() {
  if (MenuChart == Chart1 || MenuChart == Chart2) SaveChartData(MenuChart);
}

void TBandDlg::miSaveImageClick() {
  if (MenuChart == Chart1 || MenuChart == Chart2) SaveChartImage(MenuChart);
}

bool SaveCsvTextAs(QWidget* parent, const std::string& text, const std::string& modelFile,
                   const char* what) {
  QString name = CurrentDialogs().SaveFileName(parent, kDataFilter, "csv",
                                               ProposedName(modelFile, what, "csv"));
  if (name.isEmpty()) return false;
  return WriteTextAs(parent, WithExtension(name, "csv"), text);
}

bool WriteTextAs(QWidget* parent, const QString& name, const std::string& text) {
  quarnel::TextFile file;
  quarnel::PendingMessages unused;
  int code = quarnel::OpenTextFile(file, name.toStdString(), quarnel::kCreateText, 0, unused);
  if (code == 0) {
    file.Write(text);
    code = file.Close();
  }
  if (code != 0) {
    const QString reason = code < 0 || code == ENOENT || code == ENOTDIR || code == EISDIR
                               ? FolderProblem(name)
                               : QString::fromStdString(std::generic_category().message(code));
    CurrentDialogs().Warning(parent, SaveFailure(name, reason));
    return false;
  }
  return true;
}

bool SaveChartPictureAs(QWidget* parent, QCustomPlot* chart, const std::string& modelFile,
                        const char* what) {
  QString name = CurrentDialogs().SaveFileName(parent, kImageFilter, "png",
                                               ProposedName(modelFile, what, "png"));
  if (name.isEmpty()) return false;
  name = WithExtension(name, "png");
  const QString format = QFileInfo(name).suffix().toLower();
  if (format != "png" && format != "svg" && format != "pdf") {
    CurrentDialogs().Warning(
        parent,
        SaveFailure(name, "the extension chooses the picture's format: .png, .svg or .pdf"));
    return false;
  }
  QString error;
  if (!WriteImage(chart, name, format, error)) {
    CurrentDialogs().Warning(parent, SaveFailure(name, error));
    return false;
  }
  return true;
}

bool TBandDlg::SaveChartData(QCustomPlot* chart) {
  if (!ChartHasData(chart)) return false;
  const bool bands = chart == Chart1;
  const quarnel::RunDescription& run = bands ? BandRun : DosRun;
  const std::string text = bands ? quarnel::BandCsv(run, BandResult, bandShift_) : DosSaveText();
  return SaveCsvTextAs(this, text, run.modelFile, bands ? "bands" : "dos");
}

bool TBandDlg::SaveChartImage(QCustomPlot* chart) {
  if (!ChartHasData(chart)) return false;
  const quarnel::RunDescription& run = chart == Chart1 ? BandRun : DosRun;
  return SaveChartPictureAs(this, chart, run.modelFile, chart == Chart1 ? "bands" : "dos");
}
