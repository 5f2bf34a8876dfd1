// SPDX-License-Identifier: GPL-3.0-or-later
// What a save would do with the texts, without writing anything: the free bytes it would
// report, or by how much the texts are too long and which of them find no place. The same
// planning steps as the writer (save_plan.h), so the answer is the save's answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"
#include "exetext/save_plan.h"
#include "textcodes/cstyle.h"

namespace tarn {

// A text that no text area could hold, however the others were placed.
struct TooLongText {
    int text;                 // 1..3453
    std::int64_t excess;      // its stored bytes and terminator beyond the largest area
    std::int64_t largestArea;  // that area's size in bytes
};

struct SpaceBudget {
    // Every byte of the areas that no text takes after the placement the save would make.
    std::int64_t freeSpace = 0;
    // The stored bytes (terminator excluded) of the longest text that would still fit: the
    // largest unused run of an area, less its terminator. 0 when no byte is left.
    std::int64_t longestFitting = 0;
    // When texts do not fit: their stored bytes and terminators minus the unused bytes left,
    // and at least 1. atLeast: the way the unused bytes are split among the areas could need
    // more (not when one text is left out and the unused bytes lie in one run).
    std::int64_t shortfall = 0;
    bool atLeast = false;
    std::vector<int> unplaced;         // the texts left out (numbers 1..3453), ascending
    std::vector<TooLongText> tooLong;  // those of them longer than the largest area
    // When the file may grow: the texts that go into an added section and their bytes.
    int addedTexts = 0;
    std::int64_t addedBytes = 0;

    bool fits() const { return unplaced.empty(); }
};

// texts: 3453 of them, text n at index n - 1, written in notation (a malformed
// C-style one counts as the "-Error!-" the save would store for it).
// With grow, the texts that do not fit go into an added section (only texts 3166 and 3169 must
// find a place in the areas).
SpaceBudget spaceBudget(const TextAreaTable& areas, const std::vector<std::string>& texts,
                        Notation notation, bool grow = false);
// The same for texts prepared already (prepareTexts).
SpaceBudget spaceBudget(const TextAreaTable& areas, const PreparedTexts& prepared,
                        bool grow = false);

// The line scripts read from tarntool: "34398 bytes free" or "over by 57 bytes: 3 texts do not
// fit", the same words whatever the numbers.
std::string spaceBudgetText(const SpaceBudget& budget);
// The same for a person, in the status bar: "34398 bytes free", "Over by 57 bytes: 3 texts do
// not fit" ("Over by at least 57 bytes" when atLeast), "0 bytes free, 120 texts (2345 bytes)
// in an added section" when the file grows, with "1 byte" and "1 text does" in the singular.
std::string spaceBudgetStatus(const SpaceBudget& budget);

// What the status line leaves out, one sentence a line: each text longer than the largest text
// area ("Text 98 is 74,518 bytes longer than the largest text area (25,483 bytes)"), then the
// longest text that would still fit.
std::vector<std::string> spaceBudgetDetails(const SpaceBudget& budget);

// 74518 as "74,518".
std::string groupedNumber(std::int64_t n);

}  // namespace tarn
