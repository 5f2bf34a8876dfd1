// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: any bytes read as a PO file through libgettextpo end in messages or in problems that
// name the file, never in a crash or an exit of the library; the messages apply to the
// executable's texts without crashing, and change them only when no problem was found; every
// text read converts to its PO text form and back.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "exchange/exe_po.h"
#include "exchange/po_file.h"
#include "exchange/po_text.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarn-fuzz-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        FUZZ_CHECK(fd >= 0);
        ::close(fd);
        std::atexit([] { std::filesystem::remove(path); });
        return std::filesystem::path(pattern);
    }();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    const PoReadResult read = readPoFile(path);
    for (const Problem& problem : read.problems) {
        FUZZ_CHECK(describe(problem).rfind(path.string(), 0) == 0);
    }
    // Every code page gets its turn, chosen by the input's length.
    const auto pages = CodePage::supportedNumbers();
    const CodePage codePage = *CodePage::byNumber(pages[size % pages.size()]);
    std::vector<std::string> texts(20, "text");
    const std::vector<std::string> before = texts;
    const PoImportReport report = applyExePo(texts, read.entries, codePage);
    if (!report.problems.empty()) {
        FUZZ_CHECK(texts == before);
    }
    for (const PoEntry& entry : read.entries) {
        if (const Converted<std::string> raw = poTextToRaw(entry.translation, codePage)) {
            FUZZ_CHECK(poTextToRaw(rawToPoText(raw.value(), codePage), codePage));
        }
    }
    return 0;
}
