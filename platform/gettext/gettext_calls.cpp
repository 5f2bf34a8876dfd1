// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gettext/gettext_calls.h"

#include <cerrno>
#include <csetjmp>
#include <mutex>

#include "platform/gettext/gettext_streams.h"

namespace tarn::gettext {

namespace {

// libgettextpo keeps the error handler of a running call in globals, and its handler for fatal
// errors must not return. Calls therefore run one at a time, under a collector that records
// every report and leaves a fatal one by longjmp back into runGuarded. No C++ object with a
// destructor is alive in the frames that the jump skips.
std::mutex gLibraryMutex;

struct Collector {
    const LibraryReports* reports = nullptr;
    std::string readName;  // the name the library was given, named fileName in reports
    std::jmp_buf fatal;
};

Collector* gCollector = nullptr;

void record(int severity, const char* fileName, std::size_t line, const char* text) {
    Problem problem;
    problem.message = text != nullptr ? text : "unknown error";
    while (!problem.message.empty() && problem.message.back() == '\n') {
        problem.message.pop_back();
    }
    std::vector<Problem>& list = severity == PO_SEVERITY_WARNING ? *gCollector->reports->warnings
                                                                 : *gCollector->reports->problems;
    // The closing "found N fatal errors" only counts the errors already listed.
    if (severity == PO_SEVERITY_FATAL_ERROR && fileName == nullptr && !list.empty()) {
        return;
    }
    // The file as the caller named it: reading stdin, the library names it "<stdin>" (in the
    // user's language), and writing it names the scratch file.
    problem.path =
        fileName != nullptr && fileName != gCollector->readName && gCollector->readName != "-"
            ? fileName
            : gCollector->reports->fileName;
    if (fileName != nullptr && line != static_cast<std::size_t>(-1)) {
        problem.line = line;
    }
    list.push_back(std::move(problem));
}

void onReport(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
              const char* text) {
    record(severity, fileName, line, text);
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        std::longjmp(gCollector->fatal, 1);
    }
}

void onReportOfTwo(int severity, po_message_t, const char* fileName1, std::size_t line1,
                   std::size_t, int, const char* text1, po_message_t, const char* fileName2,
                   std::size_t line2, std::size_t, int, const char* text2) {
    // The second part points at an earlier message ("the location of the first definition");
    // it is only worth a line where it names a place.
    record(severity, fileName1, line1, text1);
    if (fileName2 != nullptr) {
        record(severity == PO_SEVERITY_FATAL_ERROR ? PO_SEVERITY_ERROR : severity, fileName2, line2,
               text2);
    }
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        std::longjmp(gCollector->fatal, 1);
    }
}

const po_xerror_handler kHandler = {onReport, onReportOfTwo};

// Runs step(argument) with the collector installed; answers false after a fatal error.
bool runGuarded(Collector& collector, void (*step)(void*), void* argument) {
    gCollector = &collector;
    if (setjmp(collector.fatal) != 0) {
        gCollector = nullptr;
        return false;
    }
    step(argument);
    gCollector = nullptr;
    return true;
}

struct ReadCall {
    const char* path;
    po_file_t file;
    int error;
};

struct WriteCall {
    po_file_t file;
    const char* path;
};

}  // namespace

ParsedPoFile parseWithLibrary(std::span<const std::uint8_t> bytes, const LibraryReports& reports) {
    ParsedPoFile parsed;
    const std::lock_guard lock(gLibraryMutex);
    const LibraryInput input(bytes);
    if (!input.ok()) {
        parsed.error = errno;
        return parsed;
    }
    parsed.multibyteChecked = input.multibyteChecked();
    Collector collector;
    collector.reports = &reports;
    collector.readName = input.name();
    ReadCall call{input.name().c_str(), nullptr, 0};
    parsed.finished = runGuarded(
        collector,
        [](void* a) {
            auto* c = static_cast<ReadCall*>(a);
            c->file = po_file_read(c->path, &kHandler);
            c->error = errno;
        },
        &call);
    parsed.file = call.file;
    parsed.error = call.error;
    return parsed;
}

std::optional<Bytes> formatWithLibrary(po_file_t file, const LibraryReports& reports) {
    const std::lock_guard lock(gLibraryMutex);
    LibraryOutput output(reports.fileName);
    Collector collector;
    collector.reports = &reports;
    collector.readName = output.name();
    const std::size_t problemsBefore = reports.problems->size();
    WriteCall call{file, output.name().c_str()};
    const bool written = runGuarded(
        collector,
        [](void* a) {
            auto* c = static_cast<WriteCall*>(a);
            po_file_write(c->file, c->path, &kHandler);
        },
        &call);
    if (!written || reports.problems->size() != problemsBefore) {
        return std::nullopt;  // the output's end puts the streams back
    }
    return output.finish();
}

}  // namespace tarn::gettext
