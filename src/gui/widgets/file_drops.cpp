// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/file_drops.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

DroppedFiles SortDroppedFiles(const QStringList& names) {
  DroppedFiles sorted;
  for (const QString& name : names) {
    const QFileInfo info(name);
    const QString extension = info.suffix().toLower();
    if (extension == "qre" || extension == "qrg" || extension == "qrl")
      sorted.models << name;
    else if (extension == "qrk" || info.fileName() == "klist_band")
      sorted.kpaths << name;
    else if (extension == "qmx")
      sorted.matrices << name;
    else
      sorted.others << name;
  }
  return sorted;
}

void OpenDroppedFiles(const QStringList& names, const DropTargets& targets) {
  const DroppedFiles files = SortDroppedFiles(names);
  if (!files.models.isEmpty() && targets.queryUnsaved && !targets.queryUnsaved()) return;
  // Of several models the last one stays open, as when they are opened one after another.
  for (const QString& name : files.models) targets.openModel(name);
  for (const QString& name : files.kpaths) targets.openKPath(name);
  for (const QString& name : files.matrices) targets.openMatrix(name);
  if (!files.others.isEmpty())
    targets.warn(QString("Not a model (.qrg, .qre, .qrl), k path (.qrk) or matrix (.qmx) file:\n%1")
                     .arg(files.others.join('\n')));
}

namespace {
class DropFilter : public QObject {
 public:
  DropFilter(QWidget* window, std::function<void(const QStringList&)> open)
      : QObject(window), window_(window), open_(std::move(open)) {}

 protected:
  // Seen by the application, so that a text field of the window does not take a dropped file
  // as text.
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!LocalFiles(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
    } else if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList names = LocalFiles(drop->mimeData());
      if (!names.isEmpty()) {
        drop->acceptProposedAction();
        open_(names);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  static QStringList LocalFiles(const QMimeData* data) {
    QStringList names;
    if (!data || !data->hasUrls()) return names;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile()) names << url.toLocalFile();
    return names;
  }
  QWidget* window_;
  std::function<void(const QStringList&)> open_;
};
}  // namespace

void AcceptFileDrops(QWidget* window, std::function<void(const QStringList&)> open) {
  window->setAcceptDrops(true);
  QCoreApplication::instance()->installEventFilter(new DropFilter(window, std::move(open)));
}
