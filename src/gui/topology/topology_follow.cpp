// SPDX-License-Identifier: GPL-3.0-or-later
#include "topology/topology_follow.h"

#include "document/model_document.h"
#include "topology/topology_window.h"

namespace {

void ShowModelOf(TopologyWindow* window, const ModelDocument& document) {
  if (document.IsLattice())
    window->SetModel(document.Lattice());
  else
    window->ShowNotLattice();
}

}  // namespace

TopologyWindow* ShowTopologyWindow(QWidget* owner, ModelDocument& document) {
  TopologyWindow* window =
      owner ? owner->findChild<TopologyWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) {
    window = new TopologyWindow(owner);
    // Every change of the model, a live move's steps included: the window coalesces them.
    const auto follow = [window, &document] {
      if (window->isVisible()) ShowModelOf(window, document);
    };
    for (auto signal : {&ModelDocument::ModelReplaced, &ModelDocument::ModelCleared,
                        &ModelDocument::LatticeEdited, &ModelDocument::FillingChanged})
      QObject::connect(&document, signal, window, follow);
    QObject::connect(&document, &ModelDocument::OrbitalCountChanged, window, follow);
  }
  ShowModelOf(window, document);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}
