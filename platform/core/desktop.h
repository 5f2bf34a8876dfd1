// SPDX-License-Identifier: GPL-3.0-or-later
// How the desktop's own pieces are used by the windows.
#pragma once

namespace tarn::platform {

// Whether file dialogs are the system's own: on Windows, where every program opens the same one
// (Desktop, Documents, Quick access); elsewhere the system's dialog is one desktop's or another's,
// and the toolkit's is the same everywhere.
bool usesSystemFileDialogs();

}  // namespace tarn::platform
