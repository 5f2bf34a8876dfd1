// SPDX-License-Identifier: GPL-3.0-or-later
// A word-wrapped label of fixed text that remembers its height at each width it was asked for.
// The window's layout asks a wrapped label's height many times whenever it is laid out (every
// page of the stack, for the size hints and for the geometry), and a plain label lays its text
// out anew for every one of those questions.
#pragma once

#include <QLabel>
#include <map>

namespace tarn {

class WrappedHintLabel : public QLabel {
public:
    explicit WrappedHintLabel(const QString& text, QWidget* parent = nullptr);

    int heightForWidth(int width) const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    mutable std::map<int, int> heights_;  // by width; the text never changes
};

}  // namespace tarn
