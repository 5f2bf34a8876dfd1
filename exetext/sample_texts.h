// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of sample game executables, for tests, benchmarks and demonstrations.
#pragma once

#include <string>
#include <vector>

namespace tarn {

// 3453 raw texts as full as a real game's: menu words, names, item names, short messages,
// sentences and a few long descriptions (a median of about 11 stored bytes, a mean of about
// 18), made from word lists by a fixed-seed generator of its own, so they are the same with
// every compiler. Sentences among them use every code (line break, thin letters, default
// colour, every value and colour code, %, \, a control byte, accented letters and pictures of
// every count); %S and %c carry their 2 and 4 data bytes. Text 1 is the welcome sentence and
// text 100 is empty; a few texts repeat or end other texts. Placed as the writer places them,
// they fill every text area of profiles 1 to 3 (about 90 bytes stay free in profiles 1 and 2)
// and about 90% of profile 4's.
std::vector<std::string> sampleTexts();

// The small repetitive sample: 69 distinct texts repeated about 50 times each, a few
// kilobytes stored. Tests whose expectations were worked out on it keep it by name.
std::vector<std::string> repetitiveSampleTexts();

}  // namespace tarn
