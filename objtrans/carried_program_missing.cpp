// TarnEdit built without TarnPatch inside: every build reports the missing resource.
#include "objtrans/carried_program.h"

namespace tarn {

std::optional<Bytes> carriedEndUserProgram() {
    return std::nullopt;
}

}  // namespace tarn
