// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor recomputes after every cell that is left: the space budget and the
// translation checks of all 3453 texts of the largest build (profile 3, 17 MB), on
// game-length texts in C-style notation. Goal: each under 5 ms; the inconsistent check (one
// original translated two ways, over all texts) under 16 ms.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "exetext/exe_profile.h"
#include "exetext/space_budget.h"
#include "textcodes/consistency_check.h"
#include "textcodes/cstyle.h"
#include "textcodes/translation_checks.h"

namespace {

using namespace tarn;

// Sentences of a game's length (a word to a few lines), using the codes texts use, with
// repeats and shared endings as real tables have them. As much text as the build holds.
struct GameTexts {
    std::vector<std::string> originals;
    std::vector<std::string> translations;

    GameTexts() {
        const std::vector<std::string> words{
            "the",     "train",  "station", "passengers", "money", "%N",     "line",
            "\\c5new", "\\d",    "costs",   "%M",         "per",   "year",   "company",
            "road",    "bus",    "depot",   "\\n",        "of",    "%s",     "built",
            "bridge",  "tunnel", "town",    "growth",     "%d",    "profit", "loss"};
        std::mt19937 rng(3453);
        for (int n = 0; n < kTextCount; ++n) {
            std::string text;
            const unsigned count = 1 + rng() % 4;
            for (unsigned w = 0; w < count; ++w) {
                text += (w ? " " : "") + words[rng() % words.size()];
            }
            if (rng() % 10 == 0) {
                text += " \\p000000" + std::to_string(10 + rng() % 80);
            }
            originals.push_back(text);
            // A translation changes words and now and then breaks a code.
            std::string translated = text + (rng() % 2 ? " Zug" : "");
            if (rng() % 20 == 0) {
                translated = "\x93" + translated + "\x94";
            }
            translations.push_back(translated);
        }
    }
};

const GameTexts& gameTexts() {
    static const GameTexts texts;
    return texts;
}

void BM_SpaceBudget(benchmark::State& state) {
    const GameTexts& t = gameTexts();
    const TextAreaTable& areas = profileByNumber(3).textAreas;
    for (auto _ : state) {
        const SpaceBudget budget = spaceBudget(areas, t.translations, Notation::CStyle);
        benchmark::DoNotOptimize(budget.freeSpace);
    }
    state.counters["free"] =
        static_cast<double>(spaceBudget(areas, t.translations, Notation::CStyle).freeSpace);
}
BENCHMARK(BM_SpaceBudget)->Unit(benchmark::kMillisecond);

void BM_TranslationChecks(benchmark::State& state) {
    const GameTexts& t = gameTexts();
    for (auto _ : state) {
        const auto findings = checkTranslations(t.originals, t.translations, Notation::CStyle,
                                                windows1252Characters());
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["findings"] = static_cast<double>(
        checkTranslations(t.originals, t.translations, Notation::CStyle, windows1252Characters())
            .size());
}
BENCHMARK(BM_TranslationChecks)->Unit(benchmark::kMillisecond);

// The texts repeat a few words, so many originals occur often, translated two ways.
void BM_InconsistentCheck(benchmark::State& state) {
    const GameTexts& t = gameTexts();
    std::vector<std::string> originals(t.originals.size());
    std::vector<std::string> translations(t.translations.size());
    for (std::size_t i = 0; i < originals.size(); ++i) {
        originals[i] = cStyleToRaw(t.originals[i]).value();
        translations[i] = cStyleToRaw(t.translations[i]).value();
    }
    for (auto _ : state) {
        const auto found = findInconsistencies(originals, translations, windows1252Characters());
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(
        findInconsistencies(originals, translations, windows1252Characters()).size());
}
BENCHMARK(BM_InconsistentCheck)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
