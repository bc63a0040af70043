// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the band and DOS charts from their popup menu: the CSV files against quarnel-cli on the
// same model and path, the pictures in their three formats, and what happens when saving fails.
#include <qcustomplot.h>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

#include "bandwindows/kmap_window.h"
#include "gui/bands/band_models.h"
#include "widgets/chart_helpers.h"
#include "widgets/spin_edit.h"

namespace {

QByteArray WithoutComments(const QByteArray& text) {
  QByteArray out;
  for (const QByteArray& line : text.split('\n'))
    if (!line.startsWith('#')) out += line + '\n';
  out.chop(1);  // the split's piece after the last line end
  return out;
}

// A two-stop path written to a file, loaded into the memo as Open k-points does.
QString LoadPath(Program& p) {
  const QString path = p.Write("path.qrk",
                               "G X M\n 0 0 0 20\n 5 0 0 20\n 10 0 0 20 H\n"
                               " 20 0 0 20\n 20 10 0 20\n 20 20 0 20\n");
  p.bands->ReadKpointList(path);
  return path;
}

}  // namespace

class ChartExportTest : public QObject {
  Q_OBJECT
 private slots:
  void menuOffersTheSaveItemsAfterTheAxisItems();
  void bandDataIsWhatTheCliWrites();
  void dosDataIsWhatTheCliWrites();
  void picturesInTheThreeFormats();
  void emptyChartsCancelAndRunsSaveNothing();
  void failuresAreShownAndKeepTheOldFile();
  void fileDialogAddsTheChosenFiltersExtension();
  void kMapComputesAndSavesWhatTheCliWrites();
};

void ChartExportTest::menuOffersTheSaveItemsAfterTheAxisItems() {
  Program p;
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QTest::mouseDClick(chart1, Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(p.pom->findChild<QMenu*>("PopupMenuChart")->isVisible());
  QStringList texts;
  for (const QAction* a : p.pom->findChild<QMenu*>("PopupMenuChart")->actions())
    texts << (a->isSeparator() ? "-" : a->text());
  QCOMPARE(texts, QStringList({"User", "-", "Reset axes", "Manual X", "Manual Y", "-", "Bottom - X",
                               "Left - Y", "Right - Y2", "-", "Save data...", "Save image..."}));
  QVERIFY(p.pom->findChild<QAction*>("miSaveData")->isEnabled());
  QVERIFY(p.pom->findChild<QAction*>("miSaveData")->isVisible());
  p.pom->findChild<QMenu*>("PopupMenuChart")->hide();
  // While a run fills the charts the two items are greyed, and saving says why it waits.
  w.SetRunState(false);
  QTest::mouseDClick(chart1, Qt::LeftButton, {}, QPoint(5, 5));
  QVERIFY(!p.pom->findChild<QAction*>("miSaveData")->isEnabled());
  QVERIFY(!p.pom->findChild<QAction*>("miSaveImage")->isEnabled());
  p.pom->findChild<QMenu*>("PopupMenuChart")->hide();
  p.dialogs.saveAnswers << p.dir.filePath("during.csv");
  QVERIFY(!w.SaveChartData(chart1));
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(!QFile::exists(p.dir.filePath("during.csv")));
  w.SetRunState(true);
}

void ChartExportTest::bandDataIsWhatTheCliWrites() {
  Program p;
  // A German desktop writes 0,5; the file must not.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  p.Load(kTwoOrbitals);
  const QString model = p.dir.filePath("model.qrg");
  const QString path = LoadPath(p);
  TBandDlg& w = *p.bands;
  Find<QPushButton>(&w, "btnBand")->click();
  MenuChart = Find<QCustomPlot>(&w, "Chart1");
  p.dialogs.saveAnswers << p.dir.filePath("bands");  // the extension is added
  p.pom->findChild<QAction*>("miSaveData")->trigger();
  QLocale::setDefault(QLocale::c());
  QCOMPARE(p.dialogs.lastFilter, QString("CSV files (*.csv)|*.csv"));
  QCOMPARE(p.dialogs.lastSuffix, QString("csv"));
  QCOMPARE(p.dialogs.lastProposed, p.dir.filePath("model_bands.csv"));
  QVERIFY(p.dialogs.warnings.isEmpty());
  const QByteArray saved = Contents(p.dir.filePath("bands.csv"));
  // Same model file and path file: the header names the same sources, byte for byte.
  QCOMPARE(saved, Cli({"bands", model, path}));
  QVERIFY(saved.contains("\n0,G,0,0,0,1,"));
  QVERIFY(saved.contains("\n2,H,0.5,0,0,1,"));
  QCOMPARE(saved.count('\n'), 5 + 1 + 6 * 2);

  // An edited memo is named as the memo; the rows stay those of the same points.
  Find<QPlainTextEdit>(&w, "Memo1")->appendPlainText(" 0 0 0 20");
  Find<QPushButton>(&w, "btnBand")->click();
  p.dialogs.saveAnswers << p.dir.filePath("edited.csv");
  QVERIFY(w.SaveChartData(Find<QCustomPlot>(&w, "Chart1")));
  const QByteArray edited = Contents(p.dir.filePath("edited.csv"));
  QVERIFY(edited.contains("\n# k path: memo of the Bands&DOS window, title \"G X M\"\n"));
  QVERIFY(WithoutComments(edited).startsWith(WithoutComments(saved)));
  QCOMPARE(edited.count('\n'), saved.count('\n') + 2);
}

void ChartExportTest::dosDataIsWhatTheCliWrites() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart2 = Find<QCustomPlot>(&w, "Chart2");
  // Grid 6 is below the k-point controls' divisor range: the window computes 2/12 for 1/6.
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(6);
  Find<SpinEdit>(&w, "SpinEdit4")->SetValue(30);
  Find<SpinEdit>(&w, "SpinEdit5")->SetValue(1);
  Find<QPushButton>(&w, "btnDOS")->click();
  QTest::mouseDClick(chart2, Qt::LeftButton, {}, chart2->axisRect()->rect().center());
  p.pom->findChild<QMenu*>("PopupMenuChart")->hide();
  QCOMPARE(MenuChart, chart2);
  p.dialogs.saveAnswers << p.dir.filePath("dos.csv");
  p.pom->findChild<QAction*>("miSaveData")->trigger();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(p.dialogs.lastProposed, p.dir.filePath("model_dos.csv"));
  const QByteArray saved = Contents(p.dir.filePath("dos.csv"));
  const QString model = p.dir.filePath("model.qrg");
  QCOMPARE(saved, Cli({"dos", model, "--grid", "6", "--bins", "30", "--smooth", "1"}));
  QVERIFY(saved.contains("\n# k grid: 7 x 7 x 7 points (n = 6)\n# eigenstates: 686\n"));
  QCOMPARE(WithoutComments(saved).count('\n'), 1 + 31);
}

void ChartExportTest::picturesInTheThreeFormats() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  LoadPath(p);
  Find<QPushButton>(&w, "btnBand")->click();
  const QSize chart = chart1->size();
  QVERIFY(chart.width() > 300 && chart.height() > 300);
  MenuChart = chart1;

  p.dialogs.saveAnswers << p.dir.filePath("bands");
  p.pom->findChild<QAction*>("miSaveImage")->trigger();
  QCOMPARE(p.dialogs.lastFilter,
           QString("PNG image (*.png)|*.png|SVG image (*.svg)|*.svg|PDF document (*.pdf)|*.pdf"));
  QCOMPARE(p.dialogs.lastSuffix, QString("png"));
  const QByteArray png = Contents(p.dir.filePath("bands.png"));
  QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
  const QImage image = QImage::fromData(png, "PNG");
  QCOMPARE(image.size(), chart * 2);

  p.dialogs.saveAnswers << p.dir.filePath("bands.SVG");
  p.pom->findChild<QAction*>("miSaveImage")->trigger();
  const QByteArray svg = Contents(p.dir.filePath("bands.SVG"));
  QVERIFY(svg.startsWith("<?xml"));
  QVERIFY(svg.contains("<svg"));
  QSvgRenderer renderer(svg);
  QVERIFY(renderer.isValid());
  QVERIFY(svg.contains("<title>Bands&amp;DOS</title>"));
  QCOMPARE(renderer.viewBox(), QRect(QPoint(0, 0), chart));
  // The special-point labels are in the picture as text.
  QVERIFY(svg.contains(">H<"));

  p.dialogs.saveAnswers << p.dir.filePath("bands.pdf");
  p.pom->findChild<QAction*>("miSaveImage")->trigger();
  const QByteArray pdf = Contents(p.dir.filePath("bands.pdf"));
  QVERIFY(pdf.startsWith("%PDF-"));
  const QRegularExpressionMatch box =
      QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(pdf));
  QVERIFY(box.hasMatch());
  QVERIFY(box.captured(1).toDouble() >= chart.width());
  QVERIFY(box.captured(2).toDouble() >= chart.height());
  QVERIFY(p.dialogs.warnings.isEmpty());

  // Another extension is refused with the reason; nothing is written.
  p.dialogs.saveAnswers << p.dir.filePath("bands.jpg");
  QVERIFY(!w.SaveChartImage(chart1));
  QCOMPARE(p.dialogs.warnings.size(), 1);
  QVERIFY(p.dialogs.warnings[0].contains(".png, .svg or .pdf"));
  QVERIFY(!QFile::exists(p.dir.filePath("bands.jpg")));
  QVERIFY(!QFile::exists(p.dir.filePath("bands.jpg.png")));
}

void ChartExportTest::emptyChartsCancelAndRunsSaveNothing() {
  Program p;
  p.Load(kTwoOrbitals);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  // No run yet: said so, and no file dialog is asked.
  p.dialogs.saveAnswers << p.dir.filePath("nothing.csv");
  MenuChart = chart1;
  p.pom->findChild<QAction*>("miSaveData")->trigger();
  MenuChart = Find<QCustomPlot>(&w, "Chart2");
  p.pom->findChild<QAction*>("miSaveImage")->trigger();
  QCOMPARE(p.dialogs.warnings, QStringList({"The band chart is empty: press BANDS first.",
                                            "The DOS chart is empty: press DOS first."}));
  QVERIFY(p.dialogs.lastFilter.isEmpty());
  QCOMPARE(p.dialogs.saveAnswers.size(), 1);
  // A run, then a new model: the charts are cleared, and so is what they would save.
  Find<QPushButton>(&w, "btnBand")->click();
  Find<SpinEdit>(&w, "SpinEdit3")->SetValue(5);
  Find<QPushButton>(&w, "btnDOS")->click();
  p.Form<QAction>("miNew1")->trigger();
  p.dialogs.warnings.clear();
  QVERIFY(!w.SaveChartData(chart1));
  QVERIFY(!w.SaveChartData(Find<QCustomPlot>(&w, "Chart2")));
  QCOMPARE(p.dialogs.warnings.size(), 2);
  // Cancelling the file dialog writes nothing and says nothing.
  p.Load(kChain);
  Find<QPushButton>(&w, "btnBand")->click();
  p.dialogs.saveAnswers.clear();
  p.dialogs.warnings.clear();
  QVERIFY(!w.SaveChartData(chart1));
  QVERIFY(!w.SaveChartImage(chart1));
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(QDir(p.dir.path()).entryList({"*.csv", "*.png"}), QStringList());
}

void ChartExportTest::failuresAreShownAndKeepTheOldFile() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  auto* chart1 = Find<QCustomPlot>(&w, "Chart1");
  Find<QPushButton>(&w, "btnBand")->click();
  // Real failures even for root: a folder that does not exist, and a "folder" that is a file.
  const QString missing = p.dir.filePath("missing/bands.csv");
  const QString file = p.Write("plain.txt", "text");
  p.dialogs.saveAnswers << missing << file + "/bands.csv" << p.dir.filePath("missing/bands.png")
                        << file + "/bands.svg";
  QVERIFY(!w.SaveChartData(chart1));
  QVERIFY(!w.SaveChartData(chart1));
  QVERIFY(!w.SaveChartImage(chart1));
  QVERIFY(!w.SaveChartImage(chart1));
  QCOMPARE(p.dialogs.warnings.size(), 4);
  QVERIFY(p.dialogs.warnings[0].endsWith("could not be saved: the folder does not exist."));
  QVERIFY(p.dialogs.warnings[1].endsWith("could not be saved: the folder is a file."));
  QVERIFY(p.dialogs.warnings[2].endsWith("could not be saved: the folder does not exist."));
  QVERIFY(p.dialogs.warnings[3].endsWith("could not be saved: the folder is a file."));
  QVERIFY(!QFileInfo::exists(p.dir.filePath("missing")));
  QCOMPARE(Contents(file), QByteArray("text"));

  // A leftover of an earlier save beside the target is neither used nor removed, and a target
  // that is a folder is refused with the folder left as it was.
  for (const QString name : {"old.csv", "old.png", "old.pdf"}) {
    const QString target = p.Write(name, "previous");
    QVERIFY(QDir(p.dir.path()).mkdir(name + ".quarnel-save"));
    p.dialogs.warnings.clear();
    p.dialogs.saveAnswers << target;
    const bool csv = name.endsWith(".csv");
    QVERIFY(csv ? w.SaveChartData(chart1) : w.SaveChartImage(chart1));
    QVERIFY(p.dialogs.warnings.isEmpty());
    QVERIFY(Contents(target) != QByteArray("previous"));
    QVERIFY(QFileInfo(target + ".quarnel-save").isDir());

    const QString folder = p.dir.filePath("folder_" + name);
    QVERIFY(QDir(p.dir.path()).mkdir("folder_" + name));
    p.Write("folder_" + name + "/inside.txt", "kept");
    p.dialogs.saveAnswers << folder;
    QVERIFY(!(csv ? w.SaveChartData(chart1) : w.SaveChartImage(chart1)));
    QCOMPARE(p.dialogs.warnings.size(), 1);
    QCOMPARE(Contents(folder + "/inside.txt"), QByteArray("kept"));
    QCOMPARE(QDir(p.dir.path()).entryList({"folder_" + name + ".quarnel-save*"}), QStringList());
  }
  // And a save that works replaces it.
  p.dialogs.saveAnswers << p.dir.filePath("fresh.csv");
  QVERIFY(w.SaveChartData(chart1));
  p.dialogs.saveAnswers << p.dir.filePath("fresh.csv");
  QVERIFY(w.SaveChartData(chart1));
  QVERIFY(Contents(p.dir.filePath("fresh.csv")).startsWith("# Quarnel "));
  QVERIFY(!QFile::exists(p.dir.filePath("fresh.csv.quarnel-save")));
}

void ChartExportTest::fileDialogAddsTheChosenFiltersExtension() {
  Program p;
  p.Load(kChain);
  TBandDlg& w = *p.bands;
  Find<QPushButton>(&w, "btnBand")->click();
  // The program's own file dialog this time, answered as a user would: the SVG filter, a name
  // without an extension, Save.
  SetDialogs(nullptr);
  QStringList filters;
  QString proposed;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    filters = dialog->nameFilters();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    proposed = name ? name->text() : QString();
    if (types) {
      types->setFocus();
      QTest::keyClick(types, Qt::Key_Down);
    }
    if (name) name->setText(p.dir.filePath("picture"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const bool saved = w.SaveChartImage(Find<QCustomPlot>(&w, "Chart1"));
  SetDialogs(&p.dialogs);
  QCOMPARE(filters,
           QStringList({"PNG image (*.png)", "SVG image (*.svg)", "PDF document (*.pdf)"}));
  QCOMPARE(proposed, QString("model_bands.png"));
  QVERIFY(saved);
  QVERIFY(Contents(p.dir.filePath("picture.svg")).contains("<svg"));
}

void ChartExportTest::kMapComputesAndSavesWhatTheCliWrites() {
  Program p;
  const QString model = kExamples + "/square_dp.qrg";  // 5 electrons set
  p.form->ReadModelFile(model);
  p.bands->show();
  p.bands->findChild<QPushButton*>("btnKMap")->click();
  TKMapDlg* k = p.form->findChild<TKMapDlg*>();
  QVERIFY(k && k->isVisible());
  QVERIFY(k->Computing());  // opening maps the model
  auto* grid = k->findChild<SpinEdit*>("seGrid");
  auto* chart = k->findChild<QCustomPlot*>("Chart");
  // A new grid while the first map runs: that map is dropped, the new one shown.
  grid->SetValue(20);
  QTRY_VERIFY_WITH_TIMEOUT(!k->Computing() && k->Grid().n == 20, 20000);
  QVERIFY(k->Grid().Complete());
  const auto* map = k->findChild<QCPColorMap*>("Map");
  QCOMPARE(map->data()->keySize(), 21);
  QCOMPARE(map->data()->valueSize(), 21);
  double ef = 0;
  QVERIFY(k->FermiLevel(ef));
  QVERIFY(k->findChild<QLabel*>("Info")->text().contains("E_F = "));

  QTest::mouseDClick(chart, Qt::LeftButton, {}, chart->axisRect()->rect().center());
  p.pom->findChild<QMenu*>("PopupMenuChart")->hide();
  QCOMPARE(MenuChart, chart);
  p.dialogs.saveAnswers << p.dir.filePath("map.csv");
  p.pom->findChild<QAction*>("miSaveData")->trigger();
  QVERIFY(p.dialogs.warnings.isEmpty());
  QCOMPARE(p.dialogs.lastProposed, kExamples + "/square_dp_kmap.csv");
  QCOMPARE(Contents(p.dir.filePath("map.csv")),
           Cli({"map", model, "--band", "1", "--grid", "20", "--weights"}));
  // The DOS adds its column; Tools opens the same window again.
  k->findChild<QComboBox*>("cbShow")->setCurrentIndex(TKMapDlg::kDos);
  QVERIFY(QByteArray::fromStdString(k->SaveText()).contains(",Oy,dos\n"));
  QCOMPARE(ShowKMapWindow(p.form.get(), p.doc), k);
  // Stop keeps whole rows; a window closed with its program while a map runs waits for it.
  grid->SetValue(200);
  k->Compute();
  k->Stop();
  QTRY_VERIFY_WITH_TIMEOUT(!k->Computing(), 20000);
  QCOMPARE(k->Grid().n, 200);
  k->Compute();
  QVERIFY(k->Computing());
}

QTEST_MAIN(ChartExportTest)
#include "chart_export_test.moc"
