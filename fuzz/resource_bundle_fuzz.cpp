// SPDX-License-Identifier: GPL-3.0-or-later
// Proves: ResourceBundle::parse never crashes nor reads outside the file, whatever its footer
// and directory claim (a damaged bundle raises ResourceBundleError); a bundle that parses
// serialises to one that parses to the same resources, attaching it to an executable keeps
// the executable's bytes, and loadString reads every string of it safely.
#include "enduser/resource_bundle.h"
#include "fuzz/fuzz_check.h"

using namespace tarn;

namespace {

bool sameResources(const ResourceBundle& a, const ResourceBundle& b) {
    if (a.resources().size() != b.resources().size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.resources().size(); ++i) {
        if (!(a.resources()[i].key == b.resources()[i].key) ||
            a.resources()[i].data != b.resources()[i].data) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ResourceBundle bundle;
    std::size_t own = 0;
    try {
        bundle = ResourceBundle::parse(data, size);
        own = ResourceBundle::executableSize(data, size);
    } catch (const ResourceBundleError&) {
        return 0;
    }
    FUZZ_CHECK(own <= size);
    for (unsigned id = 0; id < 40; ++id) {
        loadString(bundle, id);
    }
    const Bytes tail = bundle.serialise();
    FUZZ_CHECK(sameResources(ResourceBundle::parse(tail), bundle));

    const Bytes file(data, data + size);
    const Bytes attached =
        addResources(file, {{{10, ResourceName::string("objtexts"), 0}, {1, 2}}});
    FUZZ_CHECK(ResourceBundle::executableSize(attached.data(), attached.size()) == own);
    FUZZ_CHECK(std::equal(data, data + own, attached.begin()));
    const ResourceBundle reread = ResourceBundle::parse(attached);
    const Bytes* added = reread.find({10, ResourceName::string("OBJTEXTS"), 0});
    FUZZ_CHECK(added != nullptr && *added == (Bytes{1, 2}));
    return 0;
}
