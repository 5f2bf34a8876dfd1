// SPDX-License-Identifier: GPL-3.0-or-later
// The operating system's own headers, included one way by every file under platform/posix and
// platform/windows: <windows.h> without its min/max macros and rarely used parts, or the POSIX
// headers the file code calls.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#endif
