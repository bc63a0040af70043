// SPDX-License-Identifier: GPL-3.0-or-later
// "Save model as Python..." on the k-path memo's context menu: the script quarnel-cli export
// writes for the model and the path the memo holds, so that the few lines behind the band chart
// can be read and run on in a notebook.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

#include "bands/path_bands.h"
#include "bandwindows/band_window.h"
#include "bandwindows/chart_files.h"
#include "document/model_document.h"
#include "model/python_export.h"
#include "widgets/dialogs.h"

namespace {

const QString kScriptFilter = QStringLiteral("Python scripts (*.py)|*.py");

// Beside the model file, named after it.
QString ProposedScriptName(const std::string& modelFile) {
  if (modelFile.empty()) return QStringLiteral("model.py");
  const QFileInfo model(QString::fromStdString(modelFile));
  return model.dir().filePath(model.completeBaseName() + ".py");
}

}  // namespace

void TBandDlg::BuildModelScriptItem() {
  miSaveModelPython = new QAction(QStringLiteral("Save model as Python..."), this);
  connect(miSaveModelPython, &QAction::triggered, this, [this] { SaveModelAsPython(); });
  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Memo1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = Memo1->createStandardContextMenu(at);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addAction(miSaveModelPython);
    menu->popup(Memo1->viewport()->mapToGlobal(at));
  });
}

bool TBandDlg::SaveModelAsPython() {
  const quarnel::ModelData& model = doc_.Model();
  std::vector<std::string> lines;
  for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next())
    lines.push_back(b.text().toStdString());
  quarnel::PythonScriptSource source;
  source.modelFile = model.ModelFileName;
  source.modelHeader = model.HeaderText;
  // Named as a band run names the path in its saved data.
  source.kPathName = !KpointFile.isEmpty() && !Memo1->document()->isModified()
                         ? KpointFile.toStdString()
                         : MemoKPathName();
  source.kPathTitle = lines.empty() ? std::string() : lines[0];
  const quarnel::PythonModelCode modelCode = doc_.IsLattice()
                                                 ? quarnel::PythonCodeOfLattice(doc_.Lattice())
                                                 : quarnel::PythonCodeOfModel(model);
  const std::string text = quarnel::PythonBandScript(modelCode, quarnel::PathPoints(lines), source);

  QString name = CurrentDialogs().SaveFileName(this, kScriptFilter, QStringLiteral("py"),
                                               ProposedScriptName(model.ModelFileName));
  if (name.isEmpty()) return false;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".py");
  return WriteTextAs(this, name, text);
}
