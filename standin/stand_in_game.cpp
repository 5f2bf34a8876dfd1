// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the game: a 32-bit Windows console program that does with its texts what the
// game does. tarntool lays it out to a build's exact size and offsets (exetext/stand_in_image.h)
// and fills in gameLayout below; the program then reads, from its own memory, the pointer
// blocks, the pointer-copy run, the two text-end references and the language-ID bytes, follows
// every pointer, and prints:
//
//   one line per text 1..3453: its stored bytes as lowercase hexadecimal (a picture as stored,
//       23 and four bytes), or "-- Not found! --" when its pointer lies in no text area;
//       a file grown by an added section of texts (exetext/added_section.h) has one more text
//       area there;
//   "ids PP SS": the primary and secondary language-ID bytes;
//   one line per check, "ok: ..." or "failed: ...".
//
// It exits 0 when every check holds, 1 otherwise; a check that fails is reported, never a fault.
// Built freestanding (no C runtime), so the program is a few kilobytes and starts at once.
#include <windows.h>

#include <cstdint>

namespace {

constexpr int kTextCount = 3453;
constexpr int kBlockCount = 14;
constexpr int kAreaCount = 4;
constexpr int kPointerCopyFirst = 2236;
constexpr int kPointerCopyCount = 12;
constexpr int kPaddedTexts[2] = {3166, 3169};
constexpr std::uint32_t kSpareBytes = 31;
constexpr std::uint32_t kSecondaryIdOffset = 9;
constexpr unsigned char kPictureCode = 23;
// An added section of texts is the image's last section and begins with a record that starts
// with this signature; its text bytes follow the record.
constexpr char kAddedSignature[16] = {'T', 'a', 'r', 'n', 'A', 'd', 'd', 'e',
                                      'd', 'T', 'e', 'x', 't', 's', 0,   0};
constexpr std::uint32_t kAddedRecordSize = 48;

// Where the build keeps its texts, as file offsets (address = offset + the image's base).
// tarntool finds the marker and fills in the rest; a stand-in whose layout was never filled in
// says so and fails. The fields are 32-bit words in this order (exetext/stand_in_image.cpp
// writes them).
struct GameLayout {
    char marker[16];
    std::uint32_t filled;
    std::uint32_t blocks[kBlockCount][2];  // first, last (inclusive)
    std::uint32_t areas[kAreaCount][3];    // first, last (inclusive), delta
    std::uint32_t pointerCopyRun;
    std::uint32_t textEndRefs[2];
    std::uint32_t langIdSpot;
};

}  // namespace

extern "C" {
// volatile: the values come from the file, never from what the compiler saw.
__attribute__((used)) volatile GameLayout gameLayout = {
    {'T', 'a', 'r', 'n', 'S', 't', 'a', 'n', 'd', 'I', 'n', 'G', 'a', 'm', 'e', '1'}, 0, {}, {},
    0, {}, 0};
}

namespace {

// Output collected in a buffer and written in large pieces.
char outputBuffer[1 << 16];
std::uint32_t outputUsed = 0;

void flushOutput() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    std::uint32_t done = 0;
    while (done < outputUsed) {
        if (!WriteFile(out, outputBuffer + done, outputUsed - done, &written, nullptr) ||
            written == 0) {
            break;
        }
        done += written;
    }
    outputUsed = 0;
}

void put(char c) {
    if (outputUsed == sizeof outputBuffer) {
        flushOutput();
    }
    outputBuffer[outputUsed++] = c;
}

void put(const char* text) {
    while (*text != 0) {
        put(*text++);
    }
}

void putHexByte(unsigned char b) {
    const char* digits = "0123456789abcdef";
    put(digits[b >> 4]);
    put(digits[b & 15]);
}

void putHex32(std::uint32_t v) {
    put("0x");
    for (int shift = 24; shift >= 0; shift -= 8) {
        putHexByte(static_cast<unsigned char>(v >> shift));
    }
}

void putNumber(std::uint32_t v) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (count > 0) {
        put(digits[--count]);
    }
}

// The image as mapped: its base and the end of its last section.
const unsigned char* imageBase() {
    return reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
}

std::uint32_t imageSize() {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(imageBase());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(imageBase() + dos->e_lfanew);
    return nt->OptionalHeader.SizeOfImage;
}

std::uint32_t readU32(std::uint32_t offset) {
    const unsigned char* p = imageBase() + offset;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool inImage(std::uint32_t address, std::uint32_t length) {
    const auto base = reinterpret_cast<std::uintptr_t>(imageBase());
    return address >= base && address - base <= imageSize() && length <= imageSize() &&
           address - base <= imageSize() - length;
}

// The added section's text bytes as addresses, both inclusive; empty (first > last) when the
// image has none.
std::uint32_t addedFirst = 1;
std::uint32_t addedLast = 0;

// Reads the section table from the image's own headers as the loader mapped them.
void findAddedArea() {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(imageBase());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(imageBase() + dos->e_lfanew);
    const std::uint32_t count = nt->FileHeader.NumberOfSections;
    if (count == 0) {
        return;
    }
    const IMAGE_SECTION_HEADER& last = IMAGE_FIRST_SECTION(nt)[count - 1];
    if (last.Misc.VirtualSize <= kAddedRecordSize) {
        return;
    }
    const unsigned char* record = imageBase() + last.VirtualAddress;
    for (std::uint32_t i = 0; i < sizeof kAddedSignature; ++i) {
        if (record[i] != static_cast<unsigned char>(kAddedSignature[i])) {
            return;
        }
    }
    const auto start = reinterpret_cast<std::uintptr_t>(record);
    addedFirst = static_cast<std::uint32_t>(start) + kAddedRecordSize;
    addedLast = static_cast<std::uint32_t>(start) + last.Misc.VirtualSize - 1;
}

bool inTextArea(std::uint32_t address) {
    if (addedFirst <= address && address <= addedLast) {
        return true;
    }
    for (int k = 0; k < kAreaCount; ++k) {
        const volatile std::uint32_t* area = gameLayout.areas[k];
        if (area[0] + area[2] <= address && address <= area[1] + area[2]) {
            return true;
        }
    }
    return false;
}

std::uint32_t pointers[kTextCount + 1];  // text n's pointer at index n
std::uint32_t ownLengths[kTextCount + 1];  // stored bytes before its terminator
bool resolved[kTextCount + 1];
bool allHeld = true;

void report(bool held, const char* what) {
    put(held ? "ok: " : "failed: ");
    put(what);
    if (!held) {
        allHeld = false;
    }
}

// Text n as the game reads it: bytes up to a zero, a picture code always followed by its four
// number bytes. A text that runs to the end of the image is cut there and reported.
void readText(int n) {
    const std::uint32_t address = pointers[n];
    if (!inTextArea(address) || !inImage(address, 1)) {
        put("-- Not found! --\n");
        return;
    }
    const unsigned char* text = reinterpret_cast<const unsigned char*>(address);
    const std::uint32_t room = imageSize() - (address - reinterpret_cast<std::uintptr_t>(imageBase()));
    std::uint32_t length = 0;
    while (length < room && text[length] != 0) {
        const std::uint32_t step = text[length] == kPictureCode ? 5 : 1;
        for (std::uint32_t i = 0; i < step && length < room; ++i) {
            putHexByte(text[length++]);
        }
    }
    put('\n');
    resolved[n] = length < room;
    ownLengths[n] = length;
}

void checkPointers() {
    for (int n = 1; n <= kTextCount; ++n) {
        if (!inTextArea(pointers[n])) {
            report(false, "text ");
            putNumber(static_cast<std::uint32_t>(n));
            put(": pointer ");
            putHex32(pointers[n]);
            put(" lies outside every text area\n");
        } else if (!resolved[n]) {
            report(false, "text ");
            putNumber(static_cast<std::uint32_t>(n));
            put(" runs to the end of the image without a terminating zero\n");
        }
    }
}

void checkPointerCopyRun() {
    bool same = true;
    for (int i = 0; i < kPointerCopyCount; ++i) {
        same = same && readU32(gameLayout.pointerCopyRun + 4 * static_cast<std::uint32_t>(i)) ==
                           pointers[kPointerCopyFirst + i];
    }
    report(same, "the pointer-copy run equals the pointers of texts 2236 to 2247\n");
}

bool writable(DWORD protect) {
    return (protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE |
                       PAGE_EXECUTE_WRITECOPY)) != 0 &&
           (protect & PAGE_GUARD) == 0;
}

// The game may use a padded text's spare bytes at run time: they must lie in memory it can
// write. Each byte is written and read back, then set to zero again.
bool spareBytesWritable(std::uint32_t address) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info ||
        info.State != MEM_COMMIT || !writable(info.Protect) ||
        address - reinterpret_cast<std::uintptr_t>(info.BaseAddress) + kSpareBytes >
            info.RegionSize) {
        return false;
    }
    volatile unsigned char* spare = reinterpret_cast<volatile unsigned char*>(address);
    bool same = true;
    for (std::uint32_t i = 0; i < kSpareBytes; ++i) {
        spare[i] = static_cast<unsigned char>(0xA5 ^ i);
    }
    for (std::uint32_t i = 0; i < kSpareBytes; ++i) {
        same = same && spare[i] == static_cast<unsigned char>(0xA5 ^ i);
        spare[i] = 0;
    }
    return same;
}

void checkPaddedText(int which) {
    const int n = kPaddedTexts[which];
    if (!inTextArea(pointers[n]) || !resolved[n]) {
        report(false, "text ");
        putNumber(static_cast<std::uint32_t>(n));
        put(" cannot be read, so neither its end reference nor its spare bytes can be checked\n");
        return;
    }
    const std::uint32_t end = pointers[n] + ownLengths[n];
    const std::uint32_t reference = readU32(gameLayout.textEndRefs[which]);
    report(reference == end, "the text-end reference ");
    putNumber(static_cast<std::uint32_t>(which + 1));
    put(" points at the zero after text ");
    putNumber(static_cast<std::uint32_t>(n));
    put("'s own characters (");
    putHex32(reference);
    put(reference == end ? "" : ", not ");
    if (reference != end) {
        putHex32(end);
    }
    put(")\n");
    const bool room = inImage(end, kSpareBytes);
    report(room && spareBytesWritable(end), "the 31 spare bytes after text ");
    putNumber(static_cast<std::uint32_t>(n));
    put(" lie in memory the game can write\n");
}

}  // namespace

extern "C" int standInEntry() {
    if (gameLayout.filled != 1) {
        put("failed: the stand-in's layout was never filled in\n");
        flushOutput();
        ExitProcess(1);
    }
    findAddedArea();
    int n = 1;
    for (int k = 0; k < kBlockCount; ++k) {
        for (std::uint32_t at = gameLayout.blocks[k][0];
             at + 3 <= gameLayout.blocks[k][1] && n <= kTextCount; at += 4) {
            pointers[n++] = readU32(at);
        }
    }
    for (int t = 1; t <= kTextCount; ++t) {
        readText(t);
    }
    put("ids ");
    putHexByte(imageBase()[gameLayout.langIdSpot]);
    put(' ');
    putHexByte(imageBase()[gameLayout.langIdSpot + kSecondaryIdOffset]);
    put('\n');
    if (n != kTextCount + 1) {
        report(false, "the pointer blocks do not hold 3453 pointers\n");
    }
    checkPointers();
    checkPointerCopyRun();
    checkPaddedText(0);
    checkPaddedText(1);
    flushOutput();
    ExitProcess(allHeld ? 0 : 1);
}
