// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/file_paths.h"
#include "app/widgets/program_start.h"

namespace tarn {

ProgramStart programStartFor(const QString& absolutePath, ShellActions&) {
    return {nativePath(absolutePath), {}, {}, {}};
}

}  // namespace tarn
