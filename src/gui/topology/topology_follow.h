// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Topology window as the program keeps it: one per owner, following the document's model
// (a crystal is shown, any other form is named as not one).

class ModelDocument;
class QWidget;
class TopologyWindow;

// Shows the Topology window of owner, creating it (and its following of document) the first time.
TopologyWindow* ShowTopologyWindow(QWidget* owner, ModelDocument& document);
