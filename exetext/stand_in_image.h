// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-in game: a small 32-bit Windows program (standin/) laid out to a build's exact size,
// so that a sample executable is a real program that Windows loads and that follows its own
// pointers as the game does. Every structure of the build's profile (pointer blocks, text
// areas, fix-up spots, language-ID bytes) lies in one added writable section whose addresses
// are its file offsets + 0x400000; bytes past the last whole file-alignment unit are an overlay.
#pragma once

#include <stdexcept>

#include "common/bytes.h"
#include "exetext/exe_profile.h"
#include "exetext/pe_image.h"  // peSections, for tests that change a section

namespace tarn {

// Whether this build carries the stand-in program (it is cross-built with MinGW-w64; without
// it sample executables are zero bytes around the texts).
bool standInAvailable();

// The stand-in laid out to profile's size and offsets, every byte of its game section zero.
// Raises std::logic_error when the carried program cannot be laid out so (it is built to fit).
Bytes standInImage(const ExeProfile& profile);

}  // namespace tarn
