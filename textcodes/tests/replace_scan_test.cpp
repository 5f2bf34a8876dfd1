// SPDX-License-Identifier: GPL-3.0-or-later
#include "textcodes/replace_scan.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <vector>

namespace tarn {
namespace {

class FakeTexts : public ReplaceTexts {
public:
    explicit FakeTexts(std::vector<std::string> rows) : rows_(std::move(rows)) {}
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    std::string text(int row) const override { return rows_.at(row - 1); }
    void setText(int row, const std::string& text) override { rows_.at(row - 1) = text; }
    const std::vector<std::string>& rows() const { return rows_; }

private:
    std::vector<std::string> rows_;
};

using Question = std::tuple<int, std::size_t, std::size_t>;

// Answers from a script and records every question (row, position, length).
struct ScriptedConfirm {
    explicit ScriptedConfirm(std::deque<ReplaceAnswer> script) : answers(std::move(script)) {}
    std::deque<ReplaceAnswer> answers;
    std::vector<Question> asked;
    ConfirmReplaceFn fn() {
        return [this](int row, std::size_t position, std::size_t length) {
            asked.emplace_back(row, position, length);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question at row " << row;
                return ReplaceAnswer::Abort;
            }
            ReplaceAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

ConfirmReplaceFn always(ReplaceAnswer answer) {
    return [answer](int, std::size_t, std::size_t) { return answer; };
}

ReplaceRequest request(std::string toFind, std::string newText, SearchOptions options = {}) {
    ReplaceRequest r;
    r.toFind = std::move(toFind);
    r.newText = std::move(newText);
    r.options = options;
    return r;
}

TEST(ReplaceScan, ResumesAfterTheInsertedText) {
    FakeTexts texts({"aaaa"});
    ReplaceOutcome out = runReplaceScan(request("aa", "a"), texts, always(ReplaceAnswer::Replace));
    EXPECT_EQ(texts.rows()[0], "aa");
    EXPECT_EQ(out.replacements, 2);
    EXPECT_TRUE(out.found);

    FakeTexts growing({"aaa", "bab"});
    out = runReplaceScan(request("a", "aa"), growing, always(ReplaceAnswer::Replace));
    EXPECT_EQ(growing.rows()[0], "aaaaaa");
    EXPECT_EQ(growing.rows()[1], "baab");
    EXPECT_EQ(out.replacements, 4);

    FakeTexts shrinking({"xaxa"});
    runReplaceScan(request("xa", ""), shrinking, always(ReplaceAnswer::Replace));
    EXPECT_EQ(shrinking.rows()[0], "");
}

TEST(ReplaceScan, NoMovesOnByOneCharacter) {
    FakeTexts texts({"aaa"});
    ScriptedConfirm confirm({ReplaceAnswer::Skip, ReplaceAnswer::Skip});
    ReplaceOutcome out = runReplaceScan(request("aa", "b"), texts, confirm.fn());
    EXPECT_EQ(confirm.asked, (std::vector<Question>{{1, 1, 2}, {1, 2, 2}}));
    EXPECT_EQ(texts.rows()[0], "aaa");
    EXPECT_EQ(out.replacements, 0);
    EXPECT_TRUE(out.found);
}

TEST(ReplaceScan, PromptedRunMixesAnswersAndAbortStopsAtOnce) {
    FakeTexts texts({"x one x", "", "x"});
    ScriptedConfirm confirm({ReplaceAnswer::Replace, ReplaceAnswer::Skip, ReplaceAnswer::Abort});
    ReplaceOutcome out = runReplaceScan(request("X", "yy"), texts, confirm.fn());
    EXPECT_EQ(confirm.asked, (std::vector<Question>{{1, 1, 1}, {1, 8, 1}, {3, 1, 1}}));
    EXPECT_EQ(texts.rows()[0], "yy one x");
    EXPECT_EQ(texts.rows()[2], "x");
    EXPECT_TRUE(out.aborted);
    EXPECT_EQ(out.replacements, 1);

    FakeTexts untouched({"abc"});
    ScriptedConfirm abortFirst({ReplaceAnswer::Abort});
    out = runReplaceScan(request("b", "z"), untouched, abortFirst.fn());
    EXPECT_EQ(untouched.rows()[0], "abc");
    EXPECT_TRUE(out.found);
    EXPECT_TRUE(out.aborted);
}

TEST(ReplaceScan, WholeTextsWithCaseFolding) {
    FakeTexts texts({"Yes", "Yes!", "yes", "YES"});
    runReplaceScan(request("YES", "Ja", SearchOptions{.wholeText = true}), texts,
                   always(ReplaceAnswer::Replace));
    EXPECT_EQ(texts.rows(), (std::vector<std::string>{"Ja", "Yes!", "Ja", "Ja"}));

    FakeTexts exact({"Yes", "YES"});
    runReplaceScan(request("YES", "Ja", SearchOptions{.caseSensitive = true, .wholeText = true}),
                   exact, always(ReplaceAnswer::Replace));
    EXPECT_EQ(exact.rows(), (std::vector<std::string>{"Yes", "Ja"}));
}

TEST(ReplaceScan, WholeWordsTreatTheRestAsStartingAWord) {
    // After ".a" becomes "b", the rest ".a" starts a word although "b" precedes it.
    FakeTexts texts({".a.a", "x.a"});
    SearchOptions wholeWords{.wholeWords = true};
    runReplaceScan(request(".a", "b", wholeWords), texts, always(ReplaceAnswer::Replace));
    EXPECT_EQ(texts.rows()[0], "bb");
    EXPECT_EQ(texts.rows()[1], "x.a");
}

TEST(ReplaceScan, ScopesChooseRowsAndDirection) {
    std::vector<std::string> rows{"a", "a", "a", "a"};
    auto rowsAsked = [&](ReplaceScope scope, int current) {
        FakeTexts texts(rows);
        std::vector<int> asked;
        ReplaceRequest r = request("a", "b");
        r.scope = scope;
        r.currentRow = current;
        runReplaceScan(r, texts, [&](int row, std::size_t, std::size_t) {
            asked.push_back(row);
            return ReplaceAnswer::Skip;
        });
        return asked;
    };
    EXPECT_EQ(rowsAsked(ReplaceScope::EntireText, 3), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(rowsAsked(ReplaceScope::FromCursorDownwards, 3), (std::vector<int>{3, 4}));
    EXPECT_EQ(rowsAsked(ReplaceScope::FromCursorUpwards, 3), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(rowsAsked(ReplaceScope::FromCursorUpwards, 1), (std::vector<int>{1}));
}

TEST(ReplaceScan, NothingInScopeIsNotFound) {
    FakeTexts texts({"abc", "match"});
    ReplaceRequest r = request("match", "x");
    r.scope = ReplaceScope::FromCursorUpwards;
    r.currentRow = 1;
    ReplaceOutcome out = runReplaceScan(r, texts, always(ReplaceAnswer::Replace));
    EXPECT_FALSE(out.found);
    EXPECT_EQ(texts.rows()[1], "match");
}

TEST(ReplaceScan, TextChangedWhileAskingIsReadAgain) {
    // The question may rewrite the text (the grid normalises a cell it leaves): the
    // replacement goes into the text as it is then, and never past its end.
    FakeTexts texts({"xxab"});
    ReplaceOutcome out =
        runReplaceScan(request("ab", "Z"), texts, [&](int, std::size_t, std::size_t) {
            texts.setText(1, "ab");
            return ReplaceAnswer::Replace;
        });
    EXPECT_EQ(texts.rows()[0], "ab");
    EXPECT_EQ(out.replacements, 0);
}

}  // namespace
}  // namespace tarn
