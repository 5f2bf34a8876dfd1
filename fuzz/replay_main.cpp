// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over saved inputs without libFuzzer, so that the seed corpus and every
// input that once failed are checked by the ordinary test run. Arguments are files or folders
// (every regular file inside, in name order).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_check.h"

namespace fs = std::filesystem;

namespace {

bool replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << "\n";
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg = argv[i];
        std::vector<fs::path> files;
        if (fs::is_directory(arg)) {
            for (const auto& entry : fs::directory_iterator(arg)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(arg);
        }
        for (const fs::path& file : files) {
            ok = replay(file) && ok;
            ++count;
        }
    }
    std::cout << "replayed " << count << " input(s)\n";
    return ok && count > 0 ? 0 : 1;
}
