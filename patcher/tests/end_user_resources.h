// SPDX-License-Identifier: GPL-3.0-or-later
// The resources of an end-user program as the tests hand them to TarnPatch, also for a patch
// without texts, which the build refuses.
#pragma once

#include <vector>

#include "enduser/end_user_program.h"
#include "enduser/resource_bundle.h"

namespace tarn {

inline ResourceBundle endUserResources(const std::vector<ObjectFile>& files,
                                       const EndUserOptions& options = {}) {
    ResourceBundle bundle;
    for (Resource& block : messageTableResources(options.messages, options.yesChars)) {
        bundle.put(block.key, std::move(block.data));
    }
    bundle.put({kRawDataType, ResourceName::string(kObjectTextsName), 0},
               writeObjectTexts(files, options.texts));
    return bundle;
}

}  // namespace tarn
