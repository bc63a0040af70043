// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>

namespace {

// One file dialog for both directions; an empty string when cancelled.
QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode accept, QFileDialog::FileMode mode,
                      const QString& filter, const QString& defaultSuffix,
                      const QString& proposed) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(accept);
  dialog.setFileMode(mode);
  dialog.setNameFilters(QtNameFilters(filter).split(";;"));
  dialog.setDefaultSuffix(defaultSuffix);
  // A name typed without an extension gets the one of the filter the user chose (an SVG picture
  // is not saved as .png); "All Files" keeps the dialog's default.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, defaultSuffix](const QString& chosen) {
                     const QRegularExpressionMatch m =
                         QRegularExpression(R"(\(\*\.(\w+)\))").match(chosen);
                     dialog.setDefaultSuffix(m.hasMatch() ? m.captured(1) : defaultSuffix);
                   });
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

class QtDialogs : public Dialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& filter,
                       const QString& defaultSuffix) override {
    return RunFileDialog(parent, QFileDialog::AcceptOpen, QFileDialog::ExistingFile, filter,
                         defaultSuffix, {});
  }

  QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                       const QString& proposed) override {
    return RunFileDialog(parent, QFileDialog::AcceptSave, QFileDialog::AnyFile, filter,
                         defaultSuffix, proposed);
  }

  void Warning(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok, parent);
    box.exec();
  }

  int ChooseItem(QWidget* parent, const QString& caption, const QString& prompt,
                 const QStringList& items, int current) override {
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, caption, prompt, items, current, false, &ok);
    return ok ? static_cast<int>(items.indexOf(chosen)) : -1;
  }
  bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                 QString& value) override {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    // Wide enough for its title beside the title bar's buttons, which a window manager would
    // otherwise cut to a few letters.
    // The dialog's layout fixes its size from its contents, so the text field carries the width.
    const int titleWidth = dialog.fontMetrics().horizontalAdvance(caption) + 140;
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMinimumWidth(titleWidth);
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.textValue();
    return true;
  }

  bool Print(QWidget* parent, QPrinter& printer) override {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  }

  SaveChoice AskSave(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quarnel"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
      case QMessageBox::Save:
        return SaveChoice::Save;
      case QMessageBox::Discard:
        return SaveChoice::Discard;
      default:
        return SaveChoice::Cancel;
    }
  }
  RecoverChoice AskRecover(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quarnel"), text, QMessageBox::NoButton,
                    parent);
    QAbstractButton* recover = box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
    QAbstractButton* discard =
        box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    box.setDefaultButton(static_cast<QPushButton*>(recover));
    box.exec();
    if (box.clickedButton() == recover) return RecoverChoice::Recover;
    if (box.clickedButton() == discard) return RecoverChoice::Discard;
    return RecoverChoice::Later;
  }
};

Dialogs* installed = nullptr;

}  // namespace

Dialogs& CurrentDialogs() {
  static QtDialogs qtDialogs;
  return installed ? *installed : qtDialogs;
}

void SetDialogs(Dialogs* dialogs) {
  installed = dialogs;
}

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int k = 0; k + 1 < parts.size(); k += 2) {
    QString description = parts[k];
    // "*.*" means every file on the system the filter texts were written for.
    description.replace("(*.*)", "(*)");
    filters << description;
  }
  return filters.join(";;");
}
