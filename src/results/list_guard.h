#pragma once

// A Replace in Files run walks the File Info List's rows and puts each file
// into EditView, asking the user on the way; each question has a message
// loop of its own. While the run is on, nothing may change the rows, start a
// search or take down the windows it works in: such commands are refused,
// and a close waits until the run has ended.

// The run holds the list while this lives.
class ListRunScope {
  public:
    ListRunScope();
    ~ListRunScope();
    ListRunScope(const ListRunScope&) = delete;
    ListRunScope& operator=(const ListRunScope&) = delete;
};

bool ListRunIsOn();

// A close asked for during a run, to be carried out after it; the program's
// close takes FileView with it, so it wins over FileView's.
enum class OwedClose { None, FileView, Program };
void OweCloseAfterListRun(OwedClose close);
// The close owed once the run has ended, forgotten as it is taken.
OwedClose TakeOwedClose();
