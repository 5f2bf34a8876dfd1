// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows message formatter with a string source, an argument array of strings and a
// maximum line width, as the end-user program formats its console messages.
//
//   %1 .. %99       the insert (one or two digits; %100 is insert 10 and "0"); %1!s! likewise
//   %%  %.  %!  %   a percent sign, full stop, exclamation mark, space; any other %X gives X
//   %n              a hard line break          %r   a carriage return that starts a new line
//   %0              ends the output            %    at the very end: failure
//
// The message's own line breaks (CR, LF, CR LF) each become one space. After each literal
// character and each whole insert, a line that has reached the width breaks at its last literal
// space: the spaces and tabs before the break are dropped, and so are literal tabs right after
// it; the text after it starts the next line and is measured again only when something is added.
// A line without a literal space (spaces inside inserts do not count) breaks where it ends, so an
// insert is never split. Breaks are written as LF, which the console turns into its own line end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// The formatted text, or nullopt when formatting fails: a % at the end, an insert number past
// the inserts given, an unsupported insert format, an empty result, or a result over maxLength
// units.
std::optional<std::u16string> formatMessage(std::u16string_view text,
                                            const std::vector<std::u16string>& inserts,
                                            std::size_t width = 80, std::size_t maxLength = 1022);

}  // namespace tarn
