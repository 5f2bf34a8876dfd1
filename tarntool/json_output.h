// SPDX-License-Identifier: GPL-3.0-or-later
// JSON as tarntool prints it: one line, a space after every comma and colon, keys in the order
// they were added.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace tarn::tool {

using Json = nlohmann::ordered_json;

// The value on one line, without a line end.
std::string jsonLine(const Json& value);

}  // namespace tarn::tool
