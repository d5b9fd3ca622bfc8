#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/text_files.h"
#include "settings/settings.h"

// Writing Quarry32.ini. The whole new text is made from the file as it is,
// then written beside it and moved over it in one step, so a full disk or a
// lost drive leaves the old file whole.

// A settings file is a few kilobytes; one larger than this is not rewritten.
constexpr size_t kSettingsFileLimit = 16u << 20;

// What the user reads when a save left the file as it was.
constexpr char kSettingsNotSaved[] = "Settings could not be saved to %s.";

// `oldText` with the value of every key SaveSettings writes put in: a key the
// file has keeps its line and its spelling, only the value after the equals
// sign changes; a missing key goes after the last line of its section, a
// missing section at the end. Every other byte (the user's own keys,
// comments, blank lines, line ends) stays as it was. Lines are read as the
// platform's profile functions read them, so what it reads back is what was
// written.
std::string SettingsFileText(std::string_view oldText, const Settings& settings);

// Reads the file at `path`, puts the record's values in and writes it back
// through `files`. A missing file is written afresh. False when the file
// could not be read or written; it then keeps every byte it had.
bool SaveSettingsFile(TextFileLayer& files, const std::string& path, const Settings& settings);
