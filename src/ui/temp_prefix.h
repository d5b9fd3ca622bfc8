#pragma once

// Every temporary file Quarry creates starts with these letters, so a
// leftover one is recognisably ours.
inline constexpr char TempPrefix[] = "qry";
