// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the program's windows meet: each shows the document; what one window asks of another
// (the orbital chart, a k-path file named on the command line, the k map, the workbench's column
// sizing) is connected here, so that no window knows another. The desktop program, the window
// tests, the benchmarks and the manual's pictures connect their windows alike.

#include <QObject>

#include "bandwindows/band_window.h"
#include "bandwindows/kmap_window.h"
#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "topology/topology_follow.h"
#include "widgets/about_box.h"
#include "widgets/crystal_view.h"
#include "widgets/diagnostics_window.h"
#include "widgets/orbital_view.h"
#include "workbench/eigen_window.h"

inline void ConnectWindows(ModelDocument& document, TFormQuarnel& form, TUnitPomDlg* pom,
                           TBandDlg* bands, TEigenDlg* eigen, TAboutUBox* about) {
  form.SetWindows(pom, bands, eigen, about);
  // The k map belongs to the main window, whichever window asks for it.
  const auto kmap = [&document, &form] { ShowKMapWindow(&form, document); };
  QObject::connect(&form, &TFormQuarnel::KMapRequested, &form, kmap);
  const auto topology = [&document, &form] { ShowTopologyWindow(&form, document); };
  QObject::connect(&form, &TFormQuarnel::TopologyRequested, &form, topology);
  if (bands) {
    form.SetOrbitalView(bands->Orbitals());
    QObject::connect(bands->Orbitals(), &OrbitalView::FitRequested, &form,
                     &TFormQuarnel::FitOrbitalAxes);
    QObject::connect(&form, &TFormQuarnel::KPathFileNamed, bands, &TBandDlg::ReadKpointList);
    QObject::connect(bands, &TBandDlg::KMapRequested, &form, kmap);
    QObject::connect(bands, &TBandDlg::TopologyRequested, &form, topology);
    form.SetCrystalView(bands->Crystal());
    QObject::connect(bands->Crystal(), &CrystalPictureView::HopClicked, &form,
                     &TFormQuarnel::OpenLatticeHop);
    QObject::connect(bands->Crystal(), &CrystalPictureView::OrbitalClicked, &form,
                     &TFormQuarnel::OpenLatticeOrbital);
  }
  if (eigen) {
    form.SetColumnSizing(eigen->ColumnSizing());
    QObject::connect(eigen, &TEigenDlg::ColumnSizingChanged, &form, &TFormQuarnel::SetColumnSizing);
  }
}
