// TarnEdit built with TarnPatch inside: the build embeds the TarnPatch it produced.
#include "embedded/OBJTRANSEXE.h"
#include "objtrans/carried_program.h"

namespace tarn {

std::optional<Bytes> carriedEndUserProgram() {
    if (embedded::OBJTRANSEXE_size == 0) {
        return std::nullopt;
    }
    return Bytes(embedded::OBJTRANSEXE, embedded::OBJTRANSEXE + embedded::OBJTRANSEXE_size);
}

}  // namespace tarn
