#pragma once

// Quarry's version, in one place: the resource script's version block shows
// it in the program's file properties, and the release zip is named by it.
#define QUARRY_VERSION_MAJOR 1
#define QUARRY_VERSION_MINOR 0
#define QUARRY_VERSION_PATCH 0
#define QUARRY_VERSION_TEXT "1.0.0"
