// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Models of the band and DOS tests, read into the program of gui/program.h.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include "gui/harness/program.h"

// A file's bytes, empty when it cannot be read.
inline QByteArray Contents(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#ifdef QUARNEL_CLI
// What quarnel-cli writes for arguments, or a text no file holds when it fails.
inline QByteArray Cli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QStringLiteral(QUARNEL_CLI), arguments);
  if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return "quarnel-cli failed";
  return cli.readAllStandardOutput();
}
#endif

// A chain of two orbitals coupled along X.
inline const char* const kTwoOrbitals =
    "two orbitals\n"
    "_alfa      a  -1.000  tok= 1 tox=0.500 toy=0.500 bepx= -1.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n"
    "_alfa      b   1.000  tok= 2 tox=0.500 toy=0.500 bepx=  0.500 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n"
    "_beta      a      b (ka) bemx=  0.300 bepx= -0.300 dstx=0.500 sorx= 0.000 soix= 0.000 \n";

// One orbital, E = -1 - 2 cos(pi kx).
inline const char* const kChain =
    "chain\n"
    "_alfa      s  -1.000  tok= 1 tox=0.500 toy=0.500 bepx= -1.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n";

// One orbital without hopping: every energy is -2.
inline const char* const kFlat =
    "flat\n"
    "_alfa      s  -2.000  tok= 1 tox=0.500 toy=0.500 bepx=  0.000 bepy=  0.000 bepz=  0.000 "
    "mef=0.000\n";
