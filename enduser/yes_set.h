// SPDX-License-Identifier: GPL-3.0-or-later
// The characters that answer "yes" to the end-user program's questions, and the check that the
// questions show answer letters those characters take.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "enduser/message_table.h"

namespace tarn {

class YesSet {
public:
    // Built from the yes text (at most its first 255 units count): every character in its
    // upper- and lower-case form. An empty text means exactly Y and y.
    explicit YesSet(std::u16string_view yesText);

    // Whether an answer line (UTF-8, without its line end) means yes: only its first character
    // counts, and an empty line is no.
    bool answers(std::string_view line) const;

    // The first yes character as typed, for a prompt's hint.
    char32_t first() const { return first_; }

private:
    std::set<char32_t> characters_;
    char32_t first_ = U'Y';
};

// The letter a question offers for "yes": the first character of a closing choice such as
// "[Y/N]", "(j/n)" or "[Tak/Nie]" (two words without blanks around one slash, in brackets or
// parentheses, at the end of the text). None when the text ends in no such choice.
std::optional<char32_t> offeredYesLetter(std::string_view questionUtf8);

// The message rows (MessageTexts order) of the questions that offer a yes letter the yes
// characters do not take: a player who types what the question shows would be answering no.
std::vector<std::size_t> questionsOfferingOtherAnswers(const MessageTexts& messages,
                                                       const std::string& yesCharsUtf8);

}  // namespace tarn
