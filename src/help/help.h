#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Help context numbers. A control's topic is keyed by the dialog template
// that holds it and its id; a menu item's topic by its command id.
constexpr uint32_t ControlHelpContext(uint32_t templateId, uint32_t controlId) {
    return 0x80000000u + templateId * 0x10000u + controlId;
}
constexpr uint32_t MenuHelpContext(uint32_t commandId) {
    return 0x10000u + commandId;
}

// The status bar's topic stands outside the template scheme.
constexpr uint32_t kStatusBarHelpContext = 0x000504B1u;

// Pairs of (control id, context number) laid out as the help calls take
// them: a flat array ended by a 0 pair. kContextHelpIds serves the main
// window and every dialog it owns; kFileViewHelpIds serves FileView and its
// Tabs dialog.
extern const uint32_t kContextHelpIds[];
extern const uint32_t kFileViewHelpIds[];

// The context number of controlId in a 0-ended pair table, or 0 when the
// table does not name it (id 0 ends the table and never matches).
uint32_t LookupHelpContext(const uint32_t* table, uint32_t controlId);

// The help commands Quarry's help engine answers, by the platform's numbers
// (the help_win side checks that they agree).
enum HelpCommand : unsigned {
    kHelpContext = 0x0001,      // data: a context number
    kHelpQuit = 0x0002,         // closes the help window
    kHelpContextMenu = 0x000a,  // as kHelpWmHelp, after a "What's This?" popup
    kHelpFinder = 0x000b,       // the contents topic
    kHelpWmHelp = 0x000c,       // caller: the control; data: a 0-ended pair table
    kHelpPartialKey = 0x0105,   // data: the search key text (may be null)
};

// The windows a help request comes from, as far as the request needs them.
using HelpWindow = const void*;
class HelpWindows {
  public:
    virtual ~HelpWindows() = default;
    // False for a top-level window and for none: the walk up stops there.
    virtual bool IsChild(HelpWindow window) = 0;
    virtual HelpWindow Parent(HelpWindow window) = 0;
    virtual uint32_t ControlId(HelpWindow window) = 0;
    // The "What's This?" popup over the control: whether the user chose it.
    virtual bool AskWhatsThis(HelpWindow control) = 0;
};

// The context number of a control in a pair table. A key or click on a part
// of a control (the edit field inside a combo box, a list view's header)
// counts for the control that holds it, so the walk goes up the parents until
// one has a topic or a top-level window is reached; 0 when none has.
uint32_t ControlContextOf(HelpWindow control, const uint32_t* table, HelpWindows& windows);

// What a help request comes to.
struct HelpAnswer {
    enum Action {
        Refuse,      // an unknown command: the engine answers FALSE
        Nothing,     // answered, nothing to show
        Quit,        // close the help window
        ShowSearch,  // the search box with `key`
        ShowTopic,   // the topic of `context`; the contents when it has none
    } action = Refuse;
    uint32_t context = 0;
    const char* key = "";
};
HelpAnswer ResolveHelpRequest(unsigned command, uintptr_t data, HelpWindow caller,
                              HelpWindows& windows);

// Quarry32.hlp: plain text, one topic after another.
//   # comment                     (a line whose first character is '#')
//   @@ <number> <title>           starts a topic; number decimal or 0x-hex
//   any other line                text of the current topic
// The first topic is the contents topic. The lines of a paragraph are joined
// with a blank; a blank line ends a paragraph, and a line that starts with a
// blank or tab stays a line of its own. Blank lines at the start and end of
// a topic's text are dropped; CRLF and LF both end a line.
struct HelpTopic {
    uint32_t context = 0;
    std::string title;
    std::string text;  // lines end with "\r\n", ready for an edit control
};

struct HelpFile {
    std::vector<HelpTopic> topics;
    // What was wrong, "line N: ..." each; the topics that could be read stay.
    std::vector<std::string> problems;
};

HelpFile ParseHelpFile(std::string_view bytes);

// The topic for a context number; the first of duplicates wins. nullptr when
// there is none.
const HelpTopic* FindHelpTopic(const HelpFile& help, uint32_t context);

// The contents topic (the first one), or nullptr for a file without topics.
const HelpTopic* HelpContentsTopic(const HelpFile& help);

// The topic a request for `context` shows: its own, else the contents (help
// asked for something without a topic gets the contents, not nothing).
const HelpTopic* TopicToShow(const HelpFile& help, uint32_t context);

// Indexes of the topics that contain every blank-separated word of the key,
// ignoring case: topics whose title holds them all first, then the others,
// each group in file order. An empty key gives every topic.
std::vector<size_t> SearchHelpTopics(const HelpFile& help, std::string_view key);

// What the help window shows: the search box's key, the listed topics (their
// indexes, top first), the chosen row (-1 for none) and the topic in the text
// pane.
struct HelpPage {
    std::string key;
    std::vector<size_t> listed;
    int chosenRow = -1;
    size_t shown = 0;
};

// A topic asked for by its context number, with the whole list beside it and
// the topic's row chosen, so the reader can go on.
HelpPage PageForTopic(const HelpFile& help, uint32_t context);
// The search box with `key` and the topics that hold it; the first of them is
// shown at once, the contents when none holds it.
HelpPage PageForSearch(const HelpFile& help, std::string_view key);
// The search box's key as the user types it: the list follows, and its first
// topic is chosen and shown; with none listed the shown topic stays. False
// when nothing is listed.
bool RetypeHelpKey(const HelpFile& help, HelpPage& page, std::string_view key);
// The user chose a row of the list: its topic is shown. False for no row.
bool ChooseHelpRow(HelpPage& page, int row);

// The text pane (title, blank line, text) and the window's caption.
std::string HelpPaneText(const HelpTopic& topic);
std::string HelpCaption(std::string_view appTitle, const HelpTopic& topic);

// Reads the help file at `path` through the file layer. False, with the
// warning's text in `refusal`, when it is missing, unreadable, larger than a
// help file can be, or holds no topic.
class TextFileLayer;
bool ReadHelpFile(TextFileLayer& files, const std::string& path, HelpFile& help,
                  std::string& refusal);
