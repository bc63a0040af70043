// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/linux_shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "widgets/diagnostics_window.h"

namespace {

QString MimeTypeOf(const std::string& ext) {
  if (ext == "pdf") return "application/pdf";
  if (ext == "htm" || ext == "html") return "text/html";
  return {};
}

QString RunQuietly(const QString& program, const QStringList& arguments) {
  if (QStandardPaths::findExecutable(program).isEmpty()) return {};
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(3000)) {
    process.kill();
    return {};
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString DesktopEntryExec(const QString& entry) {
  const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return {};
  bool mainGroup = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith('[')) mainGroup = line == "[Desktop Entry]";
    if (mainGroup && line.startsWith("Exec=")) return line.mid(5);
  }
  return {};
}

quarnel::ShellPlatform* installed = nullptr;

}  // namespace

QString ExecWithoutFieldCodes(const QString& exec) {
  QStringList kept;
  for (const QString& word : exec.split(' ', Qt::SkipEmptyParts))
    if (!(word.size() == 2 && word[0] == '%')) kept << word;
  return kept.join(' ');
}

std::string LinuxShell::AssociatedCommand(const std::string& ext) {
  const QString mime = MimeTypeOf(ext);
  if (mime.isEmpty()) return {};
  const QString entry = RunQuietly("xdg-mime", {"query", "default", mime}).trimmed();
  if (entry.isEmpty()) return {};
  std::vector<std::string> words = quarnel::ExecLineWords(DesktopEntryExec(entry).toStdString());
  if (words.empty()) return {};
  // A bare program name is looked up on the path, so that the start gets a real file.
  if (words[0].find('/') == std::string::npos) {
    const QString found = QStandardPaths::findExecutable(QString::fromStdString(words[0]));
    if (!found.isEmpty()) words[0] = found.toStdString();
  }
  // The whole line is kept for the start: a wrapper (env, flatpak run) needs its arguments.
  execWords_[words[0]] = words;
  std::string command = words[0].find(' ') == std::string::npos ? words[0] : '"' + words[0] + '"';
  for (std::size_t w = 1; w < words.size(); ++w) command += ' ' + words[w];
  return command;
}

std::vector<std::string> LinuxShell::VisibleWindows() {
  std::vector<std::string> titles;
  // "-x" adds the window class: "<id> <desktop> <class> <host> <title>".
  const QString list = RunQuietly("wmctrl", {"-l", "-x"});
  QStringList entries;
  for (const QString& line : list.split('\n', Qt::SkipEmptyParts)) {
    const QStringList words = line.simplified().split(' ');
    if (words.size() < 4) continue;
    const QString title = words.mid(4).join(' ').left(255);
    titles.push_back(title.toStdString());
    entries << words[2].left(255) + "-" + title;
  }
  // The holder window keeps the list as "<class>-<title>", where it can be looked at.
  if (UnitPomDlg) UnitPomDlg->ShowWindowList(entries);
  return titles;
}

int LinuxShell::Start(const std::string& program, const std::vector<std::string>& arguments,
                      bool minimised) {
  Q_UNUSED(minimised);  // the desktop decides how a new window first appears
  const QString path = QString::fromStdString(program);
  const QFileInfo info(path);
  if (!info.exists()) return info.dir().exists() ? 2 : 3;
  if (!info.isFile() || !info.isExecutable()) return 11;
  // A program of a desktop entry gets the arguments of its Exec line around the file.
  const auto entry = execWords_.find(program);
  const std::vector<std::string> expanded =
      entry != execWords_.end() && arguments.size() == 1
          ? quarnel::ExecArguments(entry->second, arguments[0])
          : arguments;
  QStringList args;
  for (const std::string& a : expanded) args << QString::fromStdString(a);
  return QProcess::startDetached(path, args) ? 33 : 11;
}

quarnel::ShellPlatform& CurrentShell() {
  static LinuxShell linuxShell;
  return installed ? *installed : linuxShell;
}

void SetShell(quarnel::ShellPlatform* shell) {
  installed = shell;
}
