#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "results/presentation.h"

// The cell texts of the File Info List from the shell, the clock and the
// regional settings of this machine.

// The date and time of day of a time of last write in the regional formats;
// a date of 0 is today's. Also used by FileView's printout.
std::string FormatShortDate(int64_t time);
std::string FormatTimeOfDay(int64_t time);

// A directory with the drive in capitals and each component as the shell
// spells it; empty when the path cannot be made absolute.
std::string NormalizePathForDisplay(const std::string& directory);

// Answers a draw request of the list control for one cell.
void FillCellText(NMLVDISPINFOA& request);
