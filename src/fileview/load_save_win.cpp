#include "fileview/load_save_win.h"

#include <commdlg.h>

#include <memory>
#include <new>

#include "app/message_box_win.h"

namespace {

bool Reported(SaveResult result) {
    if (const char* text = SaveFailureText(result)) WarningBox(nullptr, "%s", text);
    return result == SaveResult::Saved;
}

}  // namespace

bool SaveEditToFile(HWND edit, const char* path) {
    size_t length = static_cast<size_t>(GetWindowTextLengthA(edit));
    if (length >= kSaveTextLimit) return Reported(SaveResult::TooLarge);
    std::unique_ptr<char[]> text(new (std::nothrow) char[length + 1]);
    if (!text) return Reported(SaveResult::NoMemory);
    length = static_cast<size_t>(GetWindowTextA(edit, text.get(), static_cast<int>(length + 1)));
    return Reported(SaveTextToFile(TextFiles(), path, std::string_view(text.get(), length)));
}

int AskSaveAsName(HWND owner, char* fullPath, char* fileName) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Text Files (*.TXT)\0*.TXT\0All Files (*.*)\0*.*\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fullPath;
    dialog.nMaxFile = MAX_PATH;
    // The name is the last part of a path of at most MAX_PATH, so it never
    // needs more room than that.
    dialog.lpstrFileTitle = fileName;
    dialog.nMaxFileTitle = MAX_PATH;
    dialog.lpstrDefExt = "TXT";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST;
    return GetSaveFileNameA(&dialog);
}
