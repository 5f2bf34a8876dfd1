#include "enduser/message_formatter.h"

namespace tarn {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

class Wrapper {
public:
    explicit Wrapper(std::size_t width) : width_(width) {}

    void literal(char16_t c, bool breakPoint) {
        if (breakPoint) {
            lastBreak_ = out_.size();
        }
        out_.push_back(c);
        wrap(kNone);
    }

    void insert(const std::u16string& text) {
        const std::size_t start = out_.size();
        out_ += text;
        wrap(start);
    }

    void hardBreak(char16_t c) {
        out_.push_back(c);
        lineStart_ = out_.size();
        lastBreak_ = kNone;
    }

    std::u16string& text() { return out_; }

private:
    // Breaks the line at the space at cut, dropping the spaces and tabs before it; the text
    // from resume on moves to the next line, and insertStart (an index at or after resume)
    // moves with it.
    void breakAt(std::size_t cut, std::size_t resume, std::size_t& insertStart) {
        std::size_t end = cut;
        while (end > lineStart_ && (out_[end - 1] == u' ' || out_[end - 1] == u'\t')) {
            --end;
        }
        std::u16string rest = out_.substr(resume);
        out_.resize(end);
        out_.push_back(u'\n');
        lineStart_ = out_.size();
        out_ += rest;
        lastBreak_ = kNone;
        if (insertStart != kNone) {
            insertStart = lineStart_ + (insertStart - resume);
        }
    }

    void wrap(std::size_t insertStart) {
        while (out_.size() - lineStart_ >= width_) {
            if (lastBreak_ != kNone) {
                breakAt(lastBreak_, lastBreak_ + 1, insertStart);
                continue;
            }
            // No space to break at: break hard after width characters, but an insert moves
            // to the next line whole, and one longer than a line stays whole on its own.
            std::size_t cut = lineStart_ + width_;
            if (insertStart != kNone && insertStart < cut) {
                cut = insertStart > lineStart_ ? insertStart : out_.size();
            }
            std::u16string rest = out_.substr(cut);
            out_.resize(cut);
            out_.push_back(u'\n');
            lineStart_ = out_.size();
            out_ += rest;
            insertStart = insertStart != kNone && insertStart >= cut ? lineStart_ : kNone;
        }
    }

    std::size_t width_;
    std::u16string out_;
    std::size_t lineStart_ = 0;
    std::size_t lastBreak_ = kNone;
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
    if (w.text().size() > maxLength) {
        return std::nullopt;
    }
    return std::move(w.text());
}

}  // namespace tarn
