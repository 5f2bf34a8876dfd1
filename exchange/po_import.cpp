// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/po_import.h"

#include <cstdio>

#include "exchange/po_text.h"

namespace tarn {

namespace {

// A msgctxt as a warning line shows it: control characters as \xHH, so that a file cannot
// break or forge the lines of the report.
std::string shown(std::string_view context) {
    std::string out;
    for (const char c : context) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string importSummaryLine(const PoImportCounts& c) {
    return "applied " + std::to_string(c.applied) + ", unchanged " + std::to_string(c.unchanged) +
           ", untranslated " + std::to_string(c.untranslated) + ", fuzzy " +
           std::to_string(c.fuzzy) + ", unknown " + std::to_string(c.unknown);
}

bool translationToApply(const PoEntry& entry, PoImportReport& report, std::string& raw,
                        const CodePage& codePage, TypedCodes typedCodes) {
    if (entry.translation.empty()) {
        ++report.counts.untranslated;
        return false;
    }
    if (entry.fuzzy) {
        ++report.counts.fuzzy;
        return false;
    }
    Converted<std::string> converted = poTextToRaw(entry.translation, codePage, typedCodes);
    if (!converted) {
        report.problems.push_back(Problem::in(entry.context, converted.problem().message));
        return false;
    }
    raw = std::move(converted.value());
    return true;
}

void skipUnknown(const PoEntry& entry, PoImportReport& report) {
    ++report.counts.unknown;
    report.warnings.push_back(Problem::withMessage(
        entry.hasContext ? "unknown msgctxt \"" + shown(entry.context) + "\", message skipped"
                         : "message without msgctxt, skipped"));
}

}  // namespace tarn
