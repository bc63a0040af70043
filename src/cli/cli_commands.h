// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the batch front end; each reads its own arguments from Options::args.

#include "cli/cli_common.h"

namespace quarnel::cli {

int RunSave(const Options& options);

// export MODEL [PATH] --python: the model and its bands along PATH as a Python script.
int RunExport(const Options& options);

}  // namespace quarnel::cli
