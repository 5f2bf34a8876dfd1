#include "exetext/save_plan.h"

#include "exetext/string_table_writer.h"
#include "textcodes/cstyle.h"

namespace tarn {

StoredTexts storedTexts(const std::vector<std::string>& texts, bool cstyle,
                        const std::function<void(int, const std::string&)>& cstyleError,
                        const std::vector<TextError>& textErrors) {
    StoredTexts result;
    result.texts.resize(texts.size());
    std::string raw;
    auto knownError = textErrors.begin();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int textNumber = static_cast<int>(i + 1);
        while (knownError != textErrors.end() && knownError->textNumber < textNumber) {
            ++knownError;
        }
        bool converted = true;
        if (knownError != textErrors.end() && knownError->textNumber == textNumber) {
            raw = knownError->message;
            converted = false;
        } else if (!cstyle) {
            raw = texts[i];
        } else {
            converted = cStyleToRaw(texts[i], raw);
        }
        if (!converted) {
            if (cstyleError) {
                cstyleError(textNumber, raw);
            }
            result.cstyleErrors.push_back(textNumber);
            raw = kCStyleErrorText;
        }
        result.texts[i] = expandPictures(raw);
    }
    for (const int padded : {kPaddedText1, kPaddedText2}) {
        if (static_cast<std::size_t>(padded) <= result.texts.size()) {
            result.texts[static_cast<std::size_t>(padded - 1)].append(kTextPadding, '\0');
        }
    }
    return result;
}

PlacementPlan planPlacement(const TextAreaTable& areas, const std::vector<std::string>& stored,
                            const std::vector<int>& shareTargets) {
    const std::size_t count = stored.size();
    PlacementPlan plan;
    plan.position.assign(count, -1);
    plan.address.assign(count, 0);
    std::size_t unplaced = 0;
    for (std::size_t n = 0; n < count; ++n) {
        unplaced += shareTargets[n] == 0 ? 1 : 0;
    }
    std::int64_t writePosition = 0;
    int lastArea = -1;
    for (int k = 0; k < kTextAreaCount && unplaced > 0; ++k) {
        const TextArea& area = areas[static_cast<std::size_t>(k)];
        writePosition = area.first;
        for (std::size_t n = 0; n < count; ++n) {
            if (shareTargets[n] != 0 || plan.position[n] >= 0) {
                continue;
            }
            const auto length = static_cast<std::int64_t>(stored[n].size());
            if (length <= area.last - writePosition) {
                plan.position[n] = writePosition;
                plan.address[n] = static_cast<std::uint32_t>(writePosition + area.delta);
                writePosition += length + 1;
                --unplaced;
            }
        }
        lastArea = k;
    }

    if (unplaced > 0) {
        for (std::size_t n = 0; n < count; ++n) {
            if (shareTargets[n] == 0 && plan.position[n] < 0) {
                plan.unplaced.push_back(static_cast<int>(n + 1));
                plan.shortfall += static_cast<std::int64_t>(stored[n].size()) + 1;
            }
        }
        return plan;
    }
    if (lastArea >= 0) {
        plan.freeSpace = areas[static_cast<std::size_t>(lastArea)].last - writePosition + 1;
        for (int k = lastArea + 1; k < kTextAreaCount; ++k) {
            const TextArea& area = areas[static_cast<std::size_t>(k)];
            plan.freeSpace += area.last - area.first + 1;
        }
    }
    return plan;
}

}  // namespace tarn
