#include "exchange/po_import.h"

#include "exchange/po_text.h"

namespace tarn {

std::string importSummaryLine(const PoImportCounts& c) {
    return "applied " + std::to_string(c.applied) + ", unchanged " + std::to_string(c.unchanged) +
           ", untranslated " + std::to_string(c.untranslated) + ", fuzzy " +
           std::to_string(c.fuzzy) + ", unknown " + std::to_string(c.unknown);
}

bool translationToApply(const PoEntry& entry, PoImportReport& report, std::string& raw) {
    if (entry.translation.empty()) {
        ++report.counts.untranslated;
        return false;
    }
    if (entry.fuzzy) {
        ++report.counts.fuzzy;
        return false;
    }
    if (!poTextToRaw(entry.translation, raw)) {
        report.problems.push_back(entry.context + ": " + raw);
        return false;
    }
    return true;
}

void skipUnknown(const PoEntry& entry, PoImportReport& report) {
    ++report.counts.unknown;
    report.warnings.push_back(entry.hasContext
                                  ? "unknown msgctxt \"" + entry.context + "\", message skipped"
                                  : "message without msgctxt, skipped");
}

}  // namespace tarn
