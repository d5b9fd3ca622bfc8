#pragma once

#include <functional>
#include <string>

// The File Info List's decisions about its rows, tested natively; the list
// control's side reads the rows' states and applies the answers.

// The marked row met next after `after` (-1 starts at the top), searched
// cyclically among `count` rows; -1 when none is marked. A search that met
// `after` itself has come back to its start.
int NextMarkedRow(int after, int count, const std::function<bool(int row)>& isMarked);

// The row that takes the focus after rows from `firstDeleted` on went and
// `remaining` rows are left: the one now at the first one's place, else the
// new last row; -1 for an empty list.
int RowFocusedAfterDeletion(int firstDeleted, int remaining);

// The toolbar's list buttons: Copy List, Open File and Delete Item want a
// selected row, Sort the rows of a search.
bool IsListButtonEnabled(int command, bool anySelected, int shownCount);

// The status texts of the rows: the count of rows deleted from the list, a
// count part ("%3.3u") and the focused row counted from 1 (empty for none).
std::string DeletedRowsText(int count);
std::string StatusCountText(unsigned count);
std::string FocusedRowText(int row);
