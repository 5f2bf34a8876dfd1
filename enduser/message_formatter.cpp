// SPDX-License-Identifier: GPL-3.0-or-later
#include "enduser/message_formatter.h"

namespace tarn {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Breaks lines as the Windows formatter does: after each literal character and each whole
// insert, a line that has reached the width breaks at its last literal space (the spaces and
// tabs before the break are dropped, and so are literal tabs right after it); without such a
// space it breaks where it ends, so an insert is never split. The text moved to the next line is
// not measured again until something is added to it.
class Wrapper {
public:
    explicit Wrapper(std::size_t width) : width_(width) {}

    void literal(char16_t c, bool breakPoint) {
        if (breakPoint) {
            lastBreak_ = out_.size();
            insertAfterBreak_ = kNone;
        }
        out_.push_back(c);
        wrap();
    }

    void insert(const std::u16string& text) {
        if (lastBreak_ != kNone && insertAfterBreak_ == kNone) {
            insertAfterBreak_ = out_.size();
        }
        out_ += text;
        wrap();
    }

    void hardBreak(char16_t c) {
        out_.push_back(c);
        startLine();
    }

    std::u16string& text() { return out_; }

private:
    static bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

    void startLine() {
        lineStart_ = out_.size();
        lastBreak_ = kNone;
        insertAfterBreak_ = kNone;
    }

    void wrap() {
        if (out_.size() - lineStart_ < width_) {
            return;
        }
        if (lastBreak_ == kNone) {
            out_.push_back(u'\n');
            startLine();
            return;
        }
        std::size_t end = lastBreak_;
        while (end > lineStart_ && isBlank(out_[end - 1])) {
            --end;
        }
        std::size_t resume = lastBreak_ + 1;
        const std::size_t literalEnd = insertAfterBreak_ == kNone ? out_.size() : insertAfterBreak_;
        while (resume < literalEnd && out_[resume] == u'\t') {
            ++resume;
        }
        const std::u16string rest = out_.substr(resume);
        out_.resize(end);
        out_.push_back(u'\n');
        startLine();
        out_ += rest;
    }

    std::size_t width_;
    std::u16string out_;
    std::size_t lineStart_ = 0;
    std::size_t lastBreak_ = kNone;         // the last literal space of the line
    std::size_t insertAfterBreak_ = kNone;  // where the first insert after it starts
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<std::u16string> formatMessage(std::u16string_view text,
                                            const std::vector<std::u16string>& inserts,
                                            std::size_t width, std::size_t maxLength) {
    Wrapper w(width == 0 ? kNone : width);
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i++];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i < text.size() && text[i] == u'\n') {
                ++i;
            }
            w.literal(u' ', true);
            continue;
        }
        if (c != u'%') {
            w.literal(c, c == u' ');
            continue;
        }
        if (i >= text.size()) {
            return std::nullopt;
        }
        const char16_t e = text[i++];
        if (e == u'0') {
            break;
        }
        if (e == u'n') {
            w.hardBreak(u'\n');
        } else if (e == u'r') {
            w.hardBreak(u'\r');
        } else if (isDigit(e)) {
            std::size_t number = e - u'0';
            if (i < text.size() && isDigit(text[i])) {
                number = number * 10 + (text[i++] - u'0');
            }
            if (i < text.size() && text[i] == u'!') {
                const std::size_t close = text.find(u'!', i + 1);
                if (close == std::u16string_view::npos) {
                    return std::nullopt;
                }
                const std::u16string_view format = text.substr(i + 1, close - i - 1);
                if (format != u"s" && format != u"S" && format != u"ls" && format != u"ws") {
                    return std::nullopt;
                }
                i = close + 1;
            }
            if (number > inserts.size()) {
                return std::nullopt;
            }
            w.insert(inserts[number - 1]);
        } else {
            w.literal(e, false);
        }
        if (w.text().size() > maxLength) {
            return std::nullopt;
        }
    }
    // An empty result is a failure too: the system answers zero characters either way.
    if (w.text().empty() || w.text().size() > maxLength) {
        return std::nullopt;
    }
    return std::move(w.text());
}

}  // namespace tarn
