// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files dropped on a window open by their extension, as on the command line: models first, then
// k paths, then matrices; anything else gets a message.

#include <QStringList>
#include <functional>

class QWidget;

struct DroppedFiles {
  QStringList models, kpaths, matrices, others;
};

// Sorts names by kind, keeping their order within a kind. A k path is a ".qrk" file or one
// named "klist_band"; models are ".qre" and ".qrg"; matrices ".qmx".
DroppedFiles SortDroppedFiles(const QStringList& names);

struct DropTargets {
  // The question about unsaved changes; false stops the drop before anything is opened.
  std::function<bool()> queryUnsaved;
  std::function<void(const QString&)> openModel, openKPath, openMatrix;
  std::function<void(const QString&)> warn;
};

// Opens the files of one drop in order; the unsaved-changes question comes first, once.
void OpenDroppedFiles(const QStringList& names, const DropTargets& targets);

// Lets window accept dropped local files and hand them to open.
void AcceptFileDrops(QWidget* window, std::function<void(const QStringList&)> open);
