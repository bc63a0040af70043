// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal window of the program goes through this seam: the program uses the Qt dialogs,
// tests install a scripted double so that nothing ever blocks on a modal window.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// The answers to the question about unsaved changes.
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen file, or an empty string when the user cancelled. filter is "Text (*.x)|*.x|..."
  // pairs of description and pattern separated by "|".
  virtual QString OpenFileName(QWidget* parent, const QString& filter,
                               const QString& defaultSuffix) = 0;
  // Asks before overwriting an existing file.
  virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                               const QString& proposed) = 0;
  // A warning box with an OK button.
  virtual void Warning(QWidget* parent, const QString& text) = 0;
  // A one-line text input; false when cancelled.
  virtual bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                         QString& value) = 0;
  // The print dialog for printer; false when cancelled.
  virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
  // A question with the buttons Save, Discard and Cancel; closing the box cancels.
  virtual SaveChoice AskSave(QWidget* parent, const QString& text) = 0;
  // A question with the buttons Recover and Discard. Closing the box keeps
  // the copy for the next start: neither recovered nor discarded.
  enum class RecoverChoice { Recover, Discard, Later };
  virtual RecoverChoice AskRecover(QWidget* parent, const QString& text) = 0;
  // One of items (its index), current first offered; -1 when cancelled. Scripted dialogs that do
  // not say otherwise take current.
  virtual int ChooseItem(QWidget* parent, const QString& caption, const QString& prompt,
                         const QStringList& items, int current) {
    (void)parent, (void)caption, (void)prompt, (void)items;
    return current;
  }
};

// The dialogs in use: the Qt ones unless a test installed others.
Dialogs& CurrentDialogs();
// Installs dialogs (not owned); nullptr restores the Qt dialogs.
void SetDialogs(Dialogs* dialogs);

// "Text (*.x)|*.x|All Files (*.*)|*.*" as a Qt name filter list "Text (*.x);;All Files (*)".
QString QtNameFilters(const QString& filter);
