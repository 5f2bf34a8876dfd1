// SPDX-License-Identifier: GPL-3.0-or-later
// The records the end-user program carries beside OBJTEXTS (OBJIDENT, EXETEXTS) share one
// envelope: a format byte, a CRC-32 of the OBJTEXTS they belong to, their body, and a CRC-32 over
// all of that, so that damaged or hand-edited data is refused before any question is asked.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "common/bytes.h"
#include "common/memory_stream.h"

namespace tarn {

// The carried data is damaged or was edited after the build.
class CarriedDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::uint32_t crc32(const std::uint8_t* data, std::size_t size);
inline std::uint32_t crc32(const Bytes& data) {
    return crc32(data.data(), data.size());
}

// The record with format, belonging to objectTexts, whose body writeBody writes.
Bytes writeCarriedRecord(std::uint8_t format, const Bytes& objectTexts,
                         const std::function<void(MemoryStream&)>& writeBody);

// Checks the envelope and hands the body to readBody, which must read it to its end. Raises
// CarriedDataError naming the record as what names it ("The object identities"): "... do not
// match their checksum", "... have an unknown format", "... end early", "... are followed by
// other data", or "The attached texts do not match their checksum".
void readCarriedRecord(const Bytes& data, std::uint8_t format, const Bytes& objectTexts,
                       const std::string& what,
                       const std::function<void(MemoryStream&)>& readBody);

}  // namespace tarn
