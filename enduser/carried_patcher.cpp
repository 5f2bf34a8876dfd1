// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/carried_patcher.h"

#include "embedded/kCarriedNativePatcher.h"
#ifdef TARN_CARRIES_WINDOWS_PATCHER
#include "embedded/kCarriedWindowsPatcher.h"
#endif
#ifdef TARN_CARRIES_WINDOWS64_PATCHER
#include "embedded/kCarriedWindows64Patcher.h"
#endif

namespace tarn {

namespace {

Bytes copyOf(const unsigned char* data, std::size_t size) {
    return Bytes(data, data + size);
}

}  // namespace

std::optional<Bytes> carriedPatcher(PatcherTarget target) {
    switch (target) {
        case PatcherTarget::Native:
            return copyOf(embedded::kCarriedNativePatcher, embedded::kCarriedNativePatcher_size);
        case PatcherTarget::Windows:
#ifdef TARN_CARRIES_WINDOWS_PATCHER
            return copyOf(embedded::kCarriedWindowsPatcher, embedded::kCarriedWindowsPatcher_size);
#else
            return std::nullopt;
#endif
        case PatcherTarget::Windows64:
#ifdef TARN_CARRIES_WINDOWS64_PATCHER
            return copyOf(embedded::kCarriedWindows64Patcher,
                          embedded::kCarriedWindows64Patcher_size);
#else
            return std::nullopt;
#endif
    }
    return std::nullopt;
}

bool carriesPatcher(PatcherTarget target) {
    switch (target) {
        case PatcherTarget::Native:
            return true;
        case PatcherTarget::Windows:
#ifdef TARN_CARRIES_WINDOWS_PATCHER
            return true;
#else
            return false;
#endif
        case PatcherTarget::Windows64:
#ifdef TARN_CARRIES_WINDOWS64_PATCHER
            return true;
#else
            return false;
#endif
    }
    return false;
}

PatcherTarget defaultPatcherTarget() {
    return carriesPatcher(PatcherTarget::Windows) ? PatcherTarget::Windows : PatcherTarget::Native;
}

std::string_view patcherTargetName(PatcherTarget target) {
    switch (target) {
        case PatcherTarget::Native:
            return "native";
        case PatcherTarget::Windows:
            return "windows";
        case PatcherTarget::Windows64:
            return "windows64";
    }
    return "native";
}

std::optional<PatcherTarget> patcherTargetFromName(std::string_view name) {
    for (const PatcherTarget t :
         {PatcherTarget::Native, PatcherTarget::Windows, PatcherTarget::Windows64}) {
        if (patcherTargetName(t) == name) {
            return t;
        }
    }
    return std::nullopt;
}

}  // namespace tarn
