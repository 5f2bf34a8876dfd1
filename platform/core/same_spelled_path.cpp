// SPDX-License-Identifier: GPL-3.0-or-later
// In a file of its own, so that programs that never compare paths as texts (the players'
// program) do not carry it.
#include <string>

#include "common/utf8_path.h"
#include "platform/core/paths.h"
#include "platform/core/unicode_case.h"

namespace tarn::platform {

bool sameSpelledPath(const fs::path& a, const fs::path& b) {
    const auto spelled = [](const fs::path& path) {
        std::string text = pathToUtf8(path.lexically_normal().make_preferred());
#ifdef _WIN32
        text = upperCaseUtf8(text);
#endif
        return text;
    };
    return spelled(a) == spelled(b);
}

}  // namespace tarn::platform
