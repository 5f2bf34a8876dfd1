// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's grid as the find, replace, preview and format-code windows see it: the
// shared grid of game texts with the main window's replace runs and filter.
#pragma once

#include "app/main/window_parts.h"
#include "app/preview/session_text_grid.h"

namespace tarn {

class WindowTextGrid : public SessionTextGrid {
public:
    explicit WindowTextGrid(WindowParts& parts);

    bool isRowShown(int row) const override;
    void beginChange() override;
    void endChange(const std::string& action) override;
    void catchUp() override;

private:
    WindowParts& parts_;
};

}  // namespace tarn
