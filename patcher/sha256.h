// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 of a byte string, as lower-case hex: the digest TarnPatch keeps of each file it wrote.
#pragma once

#include <string>

#include "common/bytes.h"

namespace tarn {

std::string sha256Hex(const Bytes& data);

}  // namespace tarn
