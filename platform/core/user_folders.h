// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own folder for what the programs keep besides settings (dictionaries added by the
// user): %APPDATA%\TarnEdit on Windows, $XDG_DATA_HOME/TarnEdit (else ~/.local/share/TarnEdit)
// elsewhere.
#pragma once

#include <filesystem>
#include <optional>

namespace tarn::platform {

// nullopt when the system names no such folder (no APPDATA, no HOME).
std::optional<std::filesystem::path> userDataFolder();

// Where the system's packages install Hunspell dictionaries (Debian's hunspell-* packages in
// /usr/share/hunspell); nullopt on Windows, which has no such place.
std::optional<std::filesystem::path> systemDictionaryFolder();

}  // namespace tarn::platform
