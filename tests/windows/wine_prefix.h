// SPDX-License-Identifier: GPL-3.0-or-later
// One Wine prefix for a whole test program, in a temporary folder: the first Windows program
// started creates it; its server is stopped at the end. Nothing may open a window or ask a
// question. A test program registers it once with ::testing::AddGlobalTestEnvironment.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/tests/temp_dir.h"

namespace tarn {

inline std::string shellQuoted(const std::string& path) {
    return "'" + path + "'";
}

class WinePrefix : public ::testing::Environment {
public:
    // wineserver: the server of the Wine the tests start, or "" to let Wine choose its own.
    explicit WinePrefix(std::string wineserver) : wineserver_(std::move(wineserver)) {}

    void SetUp() override {
        folder_ = std::make_unique<TempDir>();
        ::setenv("WINEPREFIX", (folder_->path() / "prefix").c_str(), 1);
        ::setenv("WINEDEBUG", "-all", 1);
        ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);  // no Mono or Gecko installers
        ::setenv("LANG", "C.UTF-8", 1);  // Wine's English locale: OEM code page 437
        ::unsetenv("LC_ALL");
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        if (!wineserver_.empty()) {
            ::setenv("WINESERVER", wineserver_.c_str(), 1);
        }
    }
    void TearDown() override {
        if (!wineserver_.empty()) {
            // Stops the server of this prefix only.
            [[maybe_unused]] const int ignored =
                std::system((shellQuoted(wineserver_) + " -k >/dev/null 2>&1").c_str());
        }
        folder_.reset();
    }

private:
    std::string wineserver_;
    std::unique_ptr<TempDir> folder_;
};

}  // namespace tarn
