// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/about_box.h"

#include "support/pending_messages.h"
#include "support/shell_helpers.h"
#include "widgets/linux_shell.h"

#include <sys/utsname.h>

#include <utility>

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextDocument>

namespace {

const QString kSeparator = "================";

// Two bands over a frame: the program's picture, drawn so that no image file is needed.
QPixmap DrawProgramIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(0, 0, size - 1, size - 1);
  QPainterPath lower, upper;
  for (int x = 2; x <= size - 3; ++x) {
    const double t = (x - 2) * 3.14159265 / (size - 5);
    const double yl = size * (0.80 - 0.25 * std::sin(t));
    const double yu = size * (0.20 + 0.25 * std::sin(t));
    if (x == 2) {
      lower.moveTo(x, yl);
      upper.moveTo(x, yu);
    } else {
      lower.lineTo(x, yl);
      upper.lineTo(x, yu);
    }
  }
  p.setPen(QPen(QColor(0, 0, 255), 2));
  p.drawPath(lower);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  p.drawPath(upper);
  return pm;
}

QPlainTextEdit* MakeMemo(QWidget* parent) {
  auto* m = new QPlainTextEdit(parent);
  QFont f = m->font();
  f.setFamilies({"Tahoma", "DejaVu Sans Condensed", "Liberation Sans Narrow"});
  f.setPointSizeF(7.5);
  m->setFont(f);
  m->document()->setDocumentMargin(2);
  m->setReadOnly(true);
  m->setLineWrapMode(QPlainTextEdit::NoWrap);
  return m;
}

}  // namespace

TAboutUBox::TAboutUBox(quarnel::PendingMessages& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
  setWindowTitle("About");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(334, 290);

  ProgramIcon = new QLabel(this);
  ProgramIcon->setGeometry(10, 10, 36, 36);
  ProgramIcon->setScaledContents(true);
  ProgramIcon->setPixmap(DrawProgramIcon(36));

  Label2 = new QLabel(this);
  Label2->setGeometry(58, 8, 266, 20);
  QFont labelFont = Label2->font();
  labelFont.setFamilies({"Arial", "Liberation Sans"});
  labelFont.setBold(true);
  labelFont.setPointSize(11);
  Label2->setFont(labelFont);
  QPalette blue = Label2->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  Label2->setPalette(blue);

  Button1 = new QPushButton(kWebAddress, this);
  Button1->setFlat(true);
  Button1->setCursor(Qt::PointingHandCursor);
  QFont linkFont = Button1->font();
  linkFont.setFamilies({"Arial", "Liberation Sans"});
  linkFont.setUnderline(true);
  Button1->setFont(linkFont);
  Button1->setStyleSheet(
      "QPushButton { color: blue; border: none; text-align: left; }"
      "QPushButton:disabled { color: palette(mid); }");
  Button1->setGeometry(58, 30, 266, 20);
  connect(Button1, &QPushButton::clicked, this, &TAboutUBox::Button1Click);

  // The program information is as wide as its separator lines; the author block takes the rest.
  Memo2 = MakeMemo(this);
  const int memo2Width = Memo2->fontMetrics().horizontalAdvance(kSeparator) +
                         2 * (Memo2->frameWidth() + int(Memo2->document()->documentMargin())) + 4;
  Memo2->setGeometry(8, 58, memo2Width, 166);
  QPalette windowBase = Memo2->palette();
  windowBase.setColor(QPalette::Base, palette().color(QPalette::Window));
  Memo2->setPalette(windowBase);

  Memo1 = MakeMemo(this);
  Memo1->setGeometry(12 + memo2Width, 58, 334 - 8 - 12 - memo2Width, 166);
  Memo1->setPlainText(AuthorLines().join('\n'));

  LabelNote = new QLabel("Tight-binding band structures for teaching", this);
  LabelNote->setAlignment(Qt::AlignCenter);
  LabelNote->setGeometry(10, 228, 314, 20);

  OKButton = new QPushButton("OK", this);
  OKButton->setGeometry(127, 254, 80, 26);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  NameControls();

  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TAboutUBox::NameControls() {
  const std::pair<QObject*, const char*> names[] = {{ProgramIcon, "ProgramIcon"},
                                                    {Label2, "Label2"},
                                                    {Button1, "Button1"},
                                                    {Memo2, "Memo2"},
                                                    {Memo1, "Memo1"},
                                                    {LabelNote, "LabelNote"},
                                                    {OKButton, "OKButton"}};
  for (const auto& [control, name] : names) control->setObjectName(name);
}

QStringList TAboutUBox::AuthorLines() {
  // The GPL asks an interactive program to show its licence and that there is no warranty.
  return {"Author information:", "Quarnel developers", "quarnel.example.org",
          "Licence: GPL-3.0-or-later", "free software, without warranty"};
}

void TAboutUBox::InitU(const QString& version, const QString& buildDate) {
  Label2->setText(version);
  Memo2->setPlainText(QStringList{"Program Info:", kSeparator, version,
                                  QString("Build %1").arg(buildDate), "For Linux", kSeparator}
                          .join('\n'));
  QStringList lines = AuthorLines();
  lines << kSeparator << SystemVersion();
  Memo1->setPlainText(lines.join('\n'));
}

void TAboutUBox::reject() {
  accept();
}

QString TAboutUBox::OsPrettyName(const QString& osRelease) {
  static const QRegularExpression kLine(R"(^\s*PRETTY_NAME\s*=\s*(.*?)\s*$)",
                                        QRegularExpression::MultilineOption);
  const QRegularExpressionMatch m = kLine.match(osRelease);
  if (!m.hasMatch()) return {};
  QString value = m.captured(1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.mid(1, value.size() - 2);
  return value;
}

QStringList TAboutUBox::SystemVersion() {
  QStringList lines;
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QString name = OsPrettyName(QString::fromUtf8(f.readAll()));
    if (name.isEmpty()) continue;
    lines << name;
    break;
  }
  utsname u{};
  if (uname(&u) == 0) lines << QString::fromUtf8(u.sysname) + ' ' + QString::fromUtf8(u.release);
  return lines;
}

void TAboutUBox::Button1Click() {
  quarnel::ShellPlatform& shell = CurrentShell();
  std::string program = quarnel::AssociatedProgram(shell, "htm");
  if (program.empty()) program = quarnel::AssociatedProgram(shell, "html");
  if (program.empty()) return;
  quarnel::RunProgram(shell, messages_, program, Button1->text().toStdString(), 1);
  // A failed start is said at once rather than at some later, unrelated operation.
  quarnel::ShowPendingMessages(messages_);
}
