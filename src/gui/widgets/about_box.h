// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: version and build date, program and author information, the system the
// program runs on, and the address of the program's web page.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quarnel {
struct PendingMessages;
}

class TAboutUBox : public QDialog {
  Q_OBJECT
 public:
  // A link that cannot be opened is said through messages.
  explicit TAboutUBox(quarnel::PendingMessages& messages, QWidget* parent = nullptr);

  static constexpr const char* kWebAddress = "https://quarnel.example.org";

  // Opens the web page in the program the desktop associates with web pages; nothing when
  // there is none.
  void Button1Click();

  // Fills the texts; the main window calls it once, at its first display.
  void InitU(const QString& version, const QString& buildDate);

  // PRETTY_NAME of an os-release text, without its quotes; empty when there is none.
  static QString OsPrettyName(const QString& osRelease);
  // The system's name and version, then the kernel and its release, for example
  // "Debian GNU/Linux 12 (bookworm)" and "Linux 6.1.0-18-amd64"; two lines so that the memo
  // shows them without scrolling.
  static QStringList SystemVersion();

 public slots:
  // Escape closes the box with OK, like the OK button.
  void reject() override;

 private:
  // Controls, named as the program's documentation names them; each has its name as objectName.
  QLabel* ProgramIcon;
  QLabel* Label2;         // version
  QPushButton* Button1;   // web address
  QPlainTextEdit* Memo2;  // program information
  QPlainTextEdit* Memo1;  // author information and system
  QLabel* LabelNote;
  QPushButton* OKButton;
  void NameControls();

  static QStringList AuthorLines();
  quarnel::PendingMessages& messages_;
};
