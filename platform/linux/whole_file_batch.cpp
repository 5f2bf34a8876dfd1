// SPDX-License-Identifier: GPL-3.0-or-later
// Batched reads through io_uring, where the kernel has it.
#include "common/whole_file_batch.h"

#include "platform/posix/stat_reading.h"
#include "platform/system_headers.h"

#include <liburing.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "common/file_io.h"

namespace tarn {

// A ring and a table of direct descriptors, a slot for each file of a batch: a file opened into
// the table takes no place among the process's descriptors, and its close is one more entry in
// the same submission.
struct WholeFileBatch::Ring {
    io_uring ring{};
    std::array<struct stat, kMaxFiles> metadata{};
    std::array<int, kMaxFiles> opened{};
    std::array<int, kMaxFiles> readBytes{};

    // The ring, or none where the kernel forbids io_uring or lacks an operation used here.
    static std::unique_ptr<Ring> open() {
        auto made = std::make_unique<Ring>();
        // Every entry of a submission is submitted even when one of them is refused, so that
        // the completions to wait for are always those of all the entries prepared.
        if (io_uring_queue_init(3 * kMaxFiles, &made->ring, IORING_SETUP_SUBMIT_ALL) != 0) {
            return nullptr;
        }
        made->live = true;  // from here on the destructor ends the ring
        io_uring_probe* probe = io_uring_get_probe_ring(&made->ring);
        bool supported = probe != nullptr;
        for (const int op : {IORING_OP_OPENAT, IORING_OP_READ, IORING_OP_CLOSE}) {
            supported = supported && io_uring_opcode_supported(probe, op) != 0;
        }
        if (probe != nullptr) {
            io_uring_free_probe(probe);
        }
        if (!supported || io_uring_register_files_sparse(&made->ring, kMaxFiles) != 0) {
            return nullptr;
        }
        return made;
    }

    Ring() = default;
    ~Ring() {
        if (live) {
            io_uring_queue_exit(&ring);
        }
    }

    io_uring_sqe* entry(std::uint64_t tag) {
        io_uring_sqe* sqe = io_uring_get_sqe(&ring);  // never full: a batch fits the ring
        sqe->user_data = tag;
        return sqe;
    }

    // Submits the entries prepared and waits for all of their completions, handing each to
    // done(tag, result). The kernel writes into the batch's buffers until then, so nothing may
    // stop this wait half-way: a signal only makes it wait again. False when the kernel took
    // fewer than count entries (it found no memory for them, say): the ring is then of no
    // further use, but what it took has completed.
    template <class Done>
    bool complete(unsigned count, Done done) {
        int submitted = 0;
        do {
            submitted = io_uring_submit_and_wait(&ring, count);
        } while (submitted == -EINTR);
        const unsigned taken = submitted < 0 ? 0 : static_cast<unsigned>(submitted);
        for (unsigned seen = 0; seen < taken; ++seen) {
            io_uring_cqe* cqe = nullptr;
            int result = 0;
            while ((result = io_uring_wait_cqe(&ring, &cqe)) != 0) {
                if (result != -EINTR && result != -EAGAIN && result != -EBUSY) {
                    std::terminate();  // only a ring that no longer exists answers otherwise
                }
            }
            done(cqe->user_data, cqe->res);
            io_uring_cqe_seen(&ring, cqe);
        }
        return taken == count;
    }

    bool live = false;  // set up, so to be ended
};

WholeFileBatch::WholeFileBatch(Mode mode) : ring_(mode == Mode::Fastest ? Ring::open() : nullptr) {}

void WholeFileBatch::read(std::span<const std::filesystem::path> paths) {
    const std::size_t count = std::min(paths.size(), kMaxFiles);
    if (!ring_) {
        for (std::size_t i = 0; i < count; ++i) {
            readOne(paths[i], files_[i]);
        }
        return;
    }
    Ring& r = *ring_;
    // The metadata first, each file's before its bytes. The kernel runs a stat in io_uring
    // only on worker threads of its own, which cost more to start than the calls they spare.
    std::array<bool, kMaxFiles> regular{};
    for (std::size_t i = 0; i < count; ++i) {
        struct stat& st = r.metadata[i];
        // Regular files of a size one read can take; anything else is read the usual way,
        // which also gives the error message of a file that cannot be read.
        regular[i] = ::stat(paths[i].c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
                     st.st_size <= INT_MAX;
    }
    // Then each file opened into its slot, read and closed, as one chain: a read follows only
    // an open that worked, and the close follows the read whatever its outcome.
    unsigned entries = 0;
    for (std::size_t i = 0; i < count; ++i) {
        r.opened[i] = -1;
        r.readBytes[i] = -1;
        if (!regular[i]) {
            continue;
        }
        const auto size = static_cast<std::size_t>(r.metadata[i].st_size);
        Bytes& buffer = files_[i].buffer;
        if (buffer.size() < size) {
            buffer.resize(size);
        }
        const auto slot = static_cast<unsigned>(i);
        io_uring_sqe* opening = r.entry(3 * i);
        io_uring_prep_openat_direct(opening, AT_FDCWD, paths[i].c_str(), O_RDONLY, 0, slot);
        opening->flags |= IOSQE_IO_LINK;
        io_uring_sqe* reading = r.entry(3 * i + 1);
        io_uring_prep_read(reading, static_cast<int>(slot), buffer.data(),
                           static_cast<unsigned>(size), 0);
        reading->flags |= IOSQE_FIXED_FILE | IOSQE_IO_HARDLINK;
        io_uring_prep_close_direct(r.entry(3 * i + 2), slot);
        entries += 3;
    }
    if (!r.complete(entries, [&](std::uint64_t tag, int result) {
            const std::size_t i = tag / 3;
            if (tag % 3 == 0) {
                r.opened[i] = result;
            } else if (tag % 3 == 1) {
                r.readBytes[i] = result;
            }
        })) {
        ring_.reset();  // no entry is left in flight: every one the kernel took has completed
        return read(paths);
    }
    for (std::size_t i = 0; i < count; ++i) {
        File& file = files_[i];
        const auto size = static_cast<std::size_t>(r.metadata[i].st_size);
        // A read that came short (the file shrank meanwhile), or any step that failed: the file
        // is read again the usual way, whose bytes match one moment of the file and whose error
        // names the file and the reason.
        if (!regular[i] || r.opened[i] < 0 || r.readBytes[i] < 0 ||
            static_cast<std::size_t>(r.readBytes[i]) != size) {
            readOne(paths[i], file);
            continue;
        }
        file.error = nullptr;
        file.size = size;
        file.identity = wholeFileIdentity(r.metadata[i], file.bytes());
    }
}

// Here, where the ring is a complete type.
WholeFileBatch::~WholeFileBatch() = default;

}  // namespace tarn
