// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Matrix files (.qmx) on the program's command line.

#include <QStringList>

class TFormQuarnel;
class TEigenDlg;

// Opens every .qmx of arguments in the Jacobi workbench through its own Open, after the main
// window's first paint, and shows the workbench; other arguments are the main window's.
void OpenMatrixArguments(const QStringList& arguments, TFormQuarnel& formQuarnel,
                         TEigenDlg& eigenDlg);
