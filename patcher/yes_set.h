// The characters that answer "yes" to the end-user program's questions.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace tarn {

class YesSet {
public:
    // Built from the yes text (at most its first 255 units count): every character in its
    // upper- and lower-case form. An empty text means exactly Y and y.
    explicit YesSet(std::u16string_view yesText);

    // Whether an answer line (UTF-8, without its line end) means yes: only its first character
    // counts, and an empty line is no.
    bool answers(std::string_view line) const;

private:
    std::set<char32_t> characters_;
};

}  // namespace tarn
