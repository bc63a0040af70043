#pragma once
// The panel and picture tests use the program of gui/program.h.

#include "gui/program.h"
