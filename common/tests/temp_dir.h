// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary folder for a test, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace tarn {

class TempDir {
public:
    TempDir() {
#ifdef _WIN32
        // No mkdtemp: a random name, made only if no other folder has it.
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = std::filesystem::temp_directory_path() /
                                   ("tarn-test-" + std::to_string(random() % 1000000000));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                path_ = candidate;
            }
        }
        if (path_.empty()) {
            std::abort();
        }
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarn-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
#endif
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const {
        return path_;
    }
    std::size_t fileCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) {
            ++n;
        }
        return n;
    }

private:
    std::filesystem::path path_;
};

}  // namespace tarn
