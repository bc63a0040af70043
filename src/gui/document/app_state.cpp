// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/app_state.h"

AppState& App() {
  static AppState state;
  return state;
}
