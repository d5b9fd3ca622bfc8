// Resource, command and control ids of Quarry. Read by windres (quarry.rc) and by the C++ code,
// so it holds plain #define lines only; C++-only checks sit under __cplusplus.
//
// A command's id is also the id of its status-line help text and of its toolbar tooltip in the
// string table. A control keeps its id where it plays the same role in several dialogs.
#ifndef QUARRY_RESOURCES_RESOURCE_IDS_H
#define QUARRY_RESOURCES_RESOURCE_IDS_H

// Named resources. The main window class, its icon and its accelerator table are all named by
// the application title (string IDS_APP_TITLE), "Quarry".
#define QUARRY_APP_NAME "Quarry"
#define QUARRY_MAIN_MENU "QUARRY"
#define QUARRY_FILEVIEW_MENU "DISPLAY"
#define QUARRY_FILEVIEW_ACCEL "Display"
#define QUARRY_FILEVIEW_CLASS "Display"

// ---------------------------------------------------------------------------------------------
// Dialog templates
#define IDD_MAIN 301          // main window, class "Quarry"
#define IDD_FILEVIEW 302      // FileView window, class "Display"
#define IDD_FILE_FILTER 304   // Set File Filter
#define IDD_TABS 341          // Tabs
#define IDD_CONTEXT_SIZE 359  // Set Context Size
#define IDD_FIND_RESULTS 360  // Find Results
#define IDD_FILEVIEW_SETTINGS 367
#define IDD_SORT_OPTIONS 370
#define IDD_COPY_MOVE 383      // target directory of Copy and Move
#define IDD_SUBDIR_LEVEL 390   // Sub-Directory Level
#define IDD_NONTEXT_FILES 426  // list of files not searched
#define IDD_PRINT 1538         // custom Print common dialog
#define IDD_FIND 1540          // custom Find common dialog
#define IDD_REPLACE 1541       // custom Replace common dialog
#define IDD_ABOUT 300          // About Quarry (our own number; its content is ours)

// ---------------------------------------------------------------------------------------------
// Main window (template IDD_MAIN)
#define IDC_DIRECTORY 110    // directory combo
#define IDC_FILE_NAMES 111   // file-name patterns combo
#define IDC_SEARCH_TEXT 112  // search text combo
#define IDC_FILE_LIST 113    // the File Info List (list view)
#define IDC_CURRENT_DIR 114  // label: current base directory
#define IDC_LEVEL 116        // sub-directory level edit
#define IDC_CASE 120         // Text options check boxes
#define IDC_WORD 121
#define IDC_REGULAR 122
#define IDC_SUBDIR_NONE 123  // Sub-Dir options radio buttons; SubDirMode = id - IDC_SUBDIR_NONE
#define IDC_SUBDIR_ALL 124
#define IDC_SUBDIR_LEVEL 125
#define IDC_DATE_FROM 136
#define IDC_DATE_TO 137
#define IDC_SUBDIR_GROUP 138
#define IDC_TEXT_OPTIONS_GROUP 139
#define IDC_SIZE_MORE 140   // lower size bound
#define IDC_SIZE_LESS 141   // upper size bound
#define IDC_LESS_UNIT 343   // unit combo of Less
#define IDC_MORE_UNIT 345   // unit combo of More
#define IDC_DATE_GROUP 733  // relabelled with the local date order at start-up

// Windows made at run time
#define IDC_MAIN_STATUS 1201
#define IDC_FILEVIEW_STATUS 1202
#define IDC_MAIN_TOOLBAR 1203
#define IDC_FILEVIEW_TOOLBAR 1204
#define IDC_TOOLBAR_COMBO 1205  // default file type, in the main toolbar
#define IDC_FIND_BOX 1206       // FileView's find box, in its toolbar

// ---------------------------------------------------------------------------------------------
// Main menu "QUARRY" and main accelerators
#define IDM_FIND_FILES 101
#define IDM_BROWSE_DIR 102
#define IDM_EXIT 104
#define IDM_CLEAR_LIST 107
#define IDM_COPY_LIST 130
#define IDM_HELP_CONTENTS 171  // shared with FileView's Help menu
#define IDM_HELP_SEARCH 172
#define IDM_ABOUT 173
#define IDM_OPEN_FILE 235
#define IDM_DELETE_ITEM 238  // Delete File Info Item (the row, not the file)
#define IDM_SORT_LIST 240
#define IDM_ADD_TO_ZIP 249
#define IDM_FIND_IN_SELECTED 261
#define IDM_FIND_IN_MARKED 262
#define IDM_MARK_ITEM 264  // Mark/Unmark; deliberately without a help string
#define IDM_ESCAPE 400     // Escape: swallowed so the key never closes the main window
#define IDM_SORT_OPTIONS 711
#define IDM_FILEVIEW_SETTINGS 712
#define IDM_FILE_FILTER 713
#define IDM_SAVE_SETTINGS_NOW 714
#define IDM_SAVE_SETTINGS_ON_EXIT 715
#define IDM_DELETE_FILES 721
#define IDM_COPY_FILES 722
#define IDM_MOVE_FILES 723
#define IDM_RENAME_FILE 725
#define IDM_SELECT_ALL_ITEMS 852

// Positions of the main menu's popups
#define MAIN_MENU_FILE 0
#define MAIN_MENU_EDIT 1
#define MAIN_MENU_OPTIONS 2
#define MAIN_MENU_HELP 3

// ---------------------------------------------------------------------------------------------
// FileView window (template IDD_FILEVIEW)
#define IDC_EDIT_WRAP 326    // EditView while Wrap Lines is on
#define IDC_EDIT_NOWRAP 327  // EditView while Wrap Lines is off
#define IDC_LINEVIEW 210
#define IDC_SPLITTER 213

// Notification codes FileView posts or sends to itself in WM_COMMAND
#define FVN_EDIT_INPUT_DONE 1124  // key up or button up in EditView
#define FVN_SET_MODIFIED 1126     // first parameter is the new Modified flag

// FileView menu "DISPLAY" and accelerators "Display"
#define IDM_FV_DISPLAY_CONTEXT 141
#define IDM_FV_SAVE 142
#define IDM_FV_SAVE_AS 143
#define IDM_FV_PRINT 145
#define IDM_FV_PRINT_SETUP 146
#define IDM_FV_CLOSE 147
#define IDM_FV_COPY_LINEVIEW 150
#define IDM_FV_UNDO 151
#define IDM_FV_DELETE 152
#define IDM_FV_CUT 153
#define IDM_FV_COPY 154
#define IDM_FV_PASTE 155
#define IDM_FV_FIND 156
#define IDM_FV_FIND_NEXT 157
#define IDM_FV_REPLACE 158
#define IDM_FV_UPPER_CASE 159
#define IDM_FV_SELECT_ALL 160
#define IDM_FV_SPLIT_WINDOW 163
#define IDM_FV_LOWER_CASE 165
#define IDM_FV_TOGGLE_CASE 166
#define IDM_FV_FONT 175
#define IDM_FV_TABS 176
#define IDM_FV_WRAP_LINES 178
#define IDM_FV_CONTEXT_SIZE 180
#define IDM_FV_LINEVIEW 254
#define IDM_FV_EDITVIEW 255
#define IDM_FV_SWITCH_PANE 258  // F6 and Ctrl+Tab; no menu item

// Positions in FileView's menu
#define FV_MENU_FILE 0
#define FV_MENU_EDIT 1
#define FV_MENU_OPTIONS 2
#define FV_MENU_WINDOW 3
#define FV_MENU_HELP 4
#define FV_MENU_CHANGE_CASE 9  // the "C&hange Case" popup inside "&Edit"

// ---------------------------------------------------------------------------------------------
// Option dialogs
#define IDC_SORT_NONE 601  // Sort Options: SortMode = id - IDC_SORT_NONE
#define IDC_SORT_NAME 602
#define IDC_SORT_SIZE 603
#define IDC_SORT_DATE 604
#define IDC_SORT_ASCENDING 605
#define IDC_SORT_ACROSS_DIRS 606

#define IDC_VIEWER_FILEVIEW 400  // FileView Settings: Editor is the id of its radio button
#define IDC_VIEWER_ASSOCIATED 401
#define IDC_VIEWER_NOTEPAD 402
#define IDC_VIEWER_OTHER 403
#define IDC_OTHER_EDITOR 404
#define IDC_QUERY_ALWAYS 405  // EditorQuery is the id of its radio button
#define IDC_QUERY_TOO_LARGE 406
#define IDC_QUERY_NEVER 407

#define IDC_FILTER_FILE_TYPE 323  // Set File Filter
#define IDC_FILTER_EXCLUDED 329
#define IDC_FILTER_ENABLE 291
#define IDC_FILTER_ADD 225
#define IDC_FILTER_DELETE 233

#define IDC_TAB_LENGTH 234  // Tabs
#define IDC_TAB_SPIN 332
#define IDC_TAB_INSERT_SPACES 235

#define IDC_CONTEXT_ABOVE 244  // Set Context Size
#define IDC_CONTEXT_ABOVE_SPIN 334
#define IDC_CONTEXT_BELOW 245

// ---------------------------------------------------------------------------------------------
// Search dialogs
#define IDC_LEVEL_FOR_REST 735  // Sub-Directory Level: use for the rest of the search
#define IDC_RESULT_FOUND 248    // Find Results value fields
#define IDC_RESULT_DIRS_SEARCHED 253
#define IDC_RESULT_LEVEL 254
#define IDC_RESULT_TOTAL_SIZE 255
#define IDC_NONTEXT_LIST 344  // list of files not searched
#define IDC_NONTEXT_COUNT 744

// Copy and Move target dialog (IDD_COPY_MOVE); it shows the current directory in IDC_CURRENT_DIR
#define IDC_TARGET_LABEL 431
#define IDC_TARGET_DIR 432
#define IDC_TARGET_BROWSE 327

// Find and Replace boxes (IDD_FIND, IDD_REPLACE); the platform's own ids are in <dlgs.h>
#define IDC_FIND_COMBO 276
#define IDC_REPLACE_COMBO 278
#define IDC_FILES_SELECTED 339
#define IDC_FILES_MARKED 340
#define IDC_FILES_ALL 341
#define IDC_REPLACE_IN_FILES 1001
#define IDC_REPLACE_STATUS 1003
#define IDC_CONFIRM_SAVE 1004

// Print dialog (IDD_PRINT)
#define IDC_PRINT_PAGES 331
#define IDC_PRINT_EDITVIEW 241
#define IDC_PRINT_LINE_LIST 242

// The box shown while a print job spools, a template named by text
#define QUARRY_PRINT_CANCEL_BOX "PrintDlg"
#define IDC_PRINT_FILE_NAME 851

// ---------------------------------------------------------------------------------------------
// String table. Command help lines use the command's own id (see above).
#define IDS_APP_TITLE 1
#define IDS_EDITOR_OUT_OF_SPACE 18
#define IDS_FILE_TYPE_ERROR 19
#define IDS_READY 20
#define IDS_OPENING_FILEVIEW 400  // status text of each viewer choice: the choice's own number
#define IDS_OPENING_ASSOCIATED 401
#define IDS_OPENING_NOTEPAD 402
#define IDS_OPENING_OTHER 403
#define IDS_COLUMN_FILENAME 816
#define IDS_COLUMN_SIZE 817
#define IDS_COLUMN_DATE 818
#define IDS_COLUMN_TIME 819
#define IDS_COLUMN_PATH 820
#define IDS_COLUMN_LINES 821  // exists, not used as a column

// ---------------------------------------------------------------------------------------------
// Images
#define IDI_UNMARKED 104  // state image 1 of the File Info List
#define IDI_MARKED 105    // state image 2
#define IDB_FILEVIEW_TOOLBAR \
    111                       // 7 images of 16 x 15: Save, Print, Find Next, Undo, Cut, Copy, Paste
#define IDB_MAIN_TOOLBAR 410  // 7 images of 16 x 15: Find, Open, Browse, Copy, Delete, Clear, Sort
#define IDCUR_SPLITTER 321
#define TOOLBAR_IMAGE_COUNT 7
#define TOOLBAR_IMAGE_WIDTH 16
#define TOOLBAR_IMAGE_HEIGHT 15

#ifdef __cplusplus
static_assert(IDC_SUBDIR_ALL == IDC_SUBDIR_NONE + 1 && IDC_SUBDIR_LEVEL == IDC_SUBDIR_NONE + 2,
              "SubDirMode is the radio button's offset from None");
static_assert(IDC_SORT_DATE - IDC_SORT_NONE == 3, "SortMode is the radio button's offset");
static_assert(IDC_VIEWER_OTHER - IDC_VIEWER_FILEVIEW == 3 &&
                  IDC_QUERY_NEVER - IDC_QUERY_ALWAYS == 2,
              "Editor and EditorQuery are stored as the offset from their first radio button");
static_assert(IDS_OPENING_FILEVIEW == IDC_VIEWER_FILEVIEW && IDS_OPENING_OTHER == IDC_VIEWER_OTHER,
              "a viewer choice's status text has the choice's number");
static_assert(IDS_COLUMN_PATH - IDS_COLUMN_FILENAME == 4, "column headers are consecutive");
#endif

#endif  // QUARRY_RESOURCES_RESOURCE_IDS_H
