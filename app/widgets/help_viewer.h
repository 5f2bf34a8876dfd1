// The program's help file, opened at a context number.
#pragma once

#include <QString>

namespace tarn {

// Opens the help file (context 0: its contents). A missing help file is reported in a message
// box; a help file the desktop cannot show is reported too.
void showHelp(const QString& helpFile, int context);

}  // namespace tarn
