#include "help/help.h"

#include "files/text_files.h"
#include "ui/bounded_format.h"
#include "ui/text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

constexpr uint32_t kMainTemplate = 301;
constexpr uint32_t kCopyTemplate = 383;
constexpr uint32_t kFindTemplate = 1540;
constexpr uint32_t kSortOptionsTemplate = 370;
constexpr uint32_t kFileViewSettingsTemplate = 367;
constexpr uint32_t kFileFilterTemplate = 304;
constexpr uint32_t kSubDirLevelTemplate = 390;
constexpr uint32_t kNonTextFilesTemplate = 426;
constexpr uint32_t kFileViewTemplate = 302;
constexpr uint32_t kTabsTemplate = 341;
constexpr uint32_t kStatusBarId = 1201;

#define HELP_PAIR(templateId, controlId) controlId, ControlHelpContext(templateId, controlId)

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool ParseContextNumber(std::string_view s, uint32_t& out) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s.remove_prefix(2);
        base = 16;
    }
    if (s.empty()) return false;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
    if (ec != std::errc() || end != s.data() + s.size() || value > 0xFFFFFFFFu) return false;
    out = static_cast<uint32_t>(value);
    return true;
}

// The help window wraps text itself, so the lines of a paragraph become one
// line; a line that starts with a blank belongs to a list and keeps its own.
bool JoinsParagraph(std::string_view before, std::string_view line) {
    auto plain = [](std::string_view l) {
        return !TrimBlanks(l).empty() && l[0] != ' ' && l[0] != '\t';
    };
    return plain(before) && plain(line);
}

// Drops blank lines at both ends of a topic's text.
void TrimTopicText(std::vector<std::string_view>& lines) {
    auto blank = [](std::string_view l) { return TrimBlanks(l).empty(); };
    while (!lines.empty() && blank(lines.back())) lines.pop_back();
    auto first = std::find_if_not(lines.begin(), lines.end(), blank);
    lines.erase(lines.begin(), first);
}

}  // namespace

const uint32_t kContextHelpIds[] = {
    HELP_PAIR(kMainTemplate, 113),
    HELP_PAIR(kMainTemplate, 110),
    HELP_PAIR(kMainTemplate, 112),
    HELP_PAIR(kMainTemplate, 111),
    HELP_PAIR(kMainTemplate, 136),
    HELP_PAIR(kMainTemplate, 137),
    HELP_PAIR(kMainTemplate, 141),
    HELP_PAIR(kMainTemplate, 140),
    HELP_PAIR(kMainTemplate, 125),
    HELP_PAIR(kMainTemplate, 123),
    HELP_PAIR(kMainTemplate, 124),
    HELP_PAIR(kMainTemplate, 120),
    HELP_PAIR(kMainTemplate, 121),
    // The current-directory label and the Regular box play the same role
    // everywhere; their topics are keyed by the Copy and Find dialogs.
    HELP_PAIR(kCopyTemplate, 114),
    HELP_PAIR(kFindTemplate, 122),
    HELP_PAIR(kSortOptionsTemplate, 605),
    HELP_PAIR(kSortOptionsTemplate, 606),
    HELP_PAIR(kSortOptionsTemplate, 601),
    HELP_PAIR(kSortOptionsTemplate, 602),
    HELP_PAIR(kSortOptionsTemplate, 603),
    HELP_PAIR(kSortOptionsTemplate, 604),
    HELP_PAIR(kFileViewSettingsTemplate, 400),
    HELP_PAIR(kFileViewSettingsTemplate, 401),
    HELP_PAIR(kFileViewSettingsTemplate, 402),
    HELP_PAIR(kFileViewSettingsTemplate, 403),
    HELP_PAIR(kFileViewSettingsTemplate, 404),
    HELP_PAIR(kFileViewSettingsTemplate, 405),
    HELP_PAIR(kFileViewSettingsTemplate, 406),
    HELP_PAIR(kFileViewSettingsTemplate, 407),
    HELP_PAIR(kFileFilterTemplate, 323),
    HELP_PAIR(kFileFilterTemplate, 329),
    HELP_PAIR(kFileFilterTemplate, 291),
    HELP_PAIR(kFileFilterTemplate, 225),
    HELP_PAIR(kFileFilterTemplate, 233),
    HELP_PAIR(kCopyTemplate, 432),
    HELP_PAIR(kCopyTemplate, 327),
    HELP_PAIR(kSubDirLevelTemplate, 735),
    HELP_PAIR(kNonTextFilesTemplate, 344),
    HELP_PAIR(kNonTextFilesTemplate, 744),
    kStatusBarId,
    kStatusBarHelpContext,
    0,
    0,
};

const uint32_t kFileViewHelpIds[] = {
    HELP_PAIR(kFileViewTemplate, 326),
    HELP_PAIR(kFileViewTemplate, 327),
    HELP_PAIR(kFileViewTemplate, 210),
    HELP_PAIR(kFileViewTemplate, 213),
    HELP_PAIR(kTabsTemplate, 234),
    0,
    0,
};

#undef HELP_PAIR

uint32_t LookupHelpContext(const uint32_t* table, uint32_t controlId) {
    if (table == nullptr || controlId == 0) return 0;
    for (const uint32_t* pair = table; pair[0] != 0; pair += 2)
        if (pair[0] == controlId) return pair[1];
    return 0;
}

uint32_t ControlContextOf(HelpWindow control, const uint32_t* table, HelpWindows& windows) {
    for (HelpWindow w = control; w != nullptr && windows.IsChild(w); w = windows.Parent(w)) {
        uint32_t context = LookupHelpContext(table, windows.ControlId(w));
        if (context != 0) return context;
    }
    return 0;
}

HelpAnswer ResolveHelpRequest(unsigned command, uintptr_t data, HelpWindow caller,
                              HelpWindows& windows) {
    HelpAnswer answer;
    const auto* table = reinterpret_cast<const uint32_t*>(data);
    switch (command) {
        case kHelpQuit: answer.action = HelpAnswer::Quit; break;
        case kHelpFinder: answer.action = HelpAnswer::ShowTopic; break;
        case kHelpPartialKey:
            answer.action = HelpAnswer::ShowSearch;
            if (data != 0) answer.key = reinterpret_cast<const char*>(data);
            break;
        case kHelpContext:
            answer.action = HelpAnswer::ShowTopic;
            answer.context = static_cast<uint32_t>(data);
            break;
        case kHelpWmHelp:
            answer.action = HelpAnswer::ShowTopic;
            answer.context = ControlContextOf(caller, table, windows);
            break;
        case kHelpContextMenu:
            // A right click on a part without a topic offers nothing.
            answer.context = ControlContextOf(caller, table, windows);
            answer.action = answer.context != 0 && windows.AskWhatsThis(caller)
                                ? HelpAnswer::ShowTopic
                                : HelpAnswer::Nothing;
            break;
    }
    return answer;
}

HelpFile ParseHelpFile(std::string_view bytes) {
    HelpFile help;
    std::vector<std::string_view> lines;  // text of the topic being read
    bool inTopic = false;
    bool strayReported = false;
    auto finishTopic = [&] {
        if (!inTopic) return;
        TrimTopicText(lines);
        std::string& text = help.topics.back().text;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) text += JoinsParagraph(lines[i - 1], lines[i]) ? " " : "\r\n";
            text += lines[i];
        }
        lines.clear();
        inTopic = false;
    };
    auto problem = [&](size_t lineNumber, const char* what) {
        help.problems.push_back("line " + std::to_string(lineNumber) + ": " + what);
    };

    size_t lineNumber = 0;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        std::string_view line =
            bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? bytes.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line[0] == '#') continue;

        if (line.substr(0, 2) != "@@") {
            if (inTopic) {
                lines.push_back(line);
            } else if (!TrimBlanks(line).empty() && !strayReported) {
                problem(lineNumber, "text outside a topic");
                strayReported = true;
            }
            continue;
        }

        finishTopic();
        strayReported = false;
        std::string_view rest = TrimBlanks(line.substr(2));
        size_t blank = rest.find_first_of(" \t");
        std::string_view number = rest.substr(0, blank);
        std::string_view title =
            blank == std::string_view::npos ? std::string_view() : TrimBlanks(rest.substr(blank));
        uint32_t context = 0;
        if (!ParseContextNumber(number, context)) {
            problem(lineNumber, "bad context number");
            strayReported = true;  // its text lines are part of the same fault
            continue;
        }
        if (title.empty()) {
            problem(lineNumber, "topic without a title");
            strayReported = true;
            continue;
        }
        if (FindHelpTopic(help, context) != nullptr)
            problem(lineNumber, "duplicate context number");
        help.topics.push_back(HelpTopic{context, std::string(title), std::string()});
        inTopic = true;
    }
    finishTopic();
    return help;
}

const HelpTopic* FindHelpTopic(const HelpFile& help, uint32_t context) {
    for (const HelpTopic& topic : help.topics)
        if (topic.context == context) return &topic;
    return nullptr;
}

const HelpTopic* HelpContentsTopic(const HelpFile& help) {
    return help.topics.empty() ? nullptr : &help.topics.front();
}

const HelpTopic* TopicToShow(const HelpFile& help, uint32_t context) {
    const HelpTopic* topic = context != 0 ? FindHelpTopic(help, context) : nullptr;
    return topic ? topic : HelpContentsTopic(help);
}

std::vector<size_t> SearchHelpTopics(const HelpFile& help, std::string_view key) {
    std::vector<std::string> words;
    std::string lowerKey = LowerText(key);
    size_t pos = 0;
    while (pos < lowerKey.size()) {
        size_t start = lowerKey.find_first_not_of(" \t", pos);
        if (start == std::string::npos) break;
        size_t end = lowerKey.find_first_of(" \t", start);
        if (end == std::string::npos) end = lowerKey.size();
        words.push_back(lowerKey.substr(start, end - start));
        pos = end;
    }
    auto holdsAll = [&](const std::string& s) {
        return std::all_of(words.begin(), words.end(),
                           [&](const std::string& w) { return s.find(w) != std::string::npos; });
    };

    std::vector<size_t> inTitle, inText;
    for (size_t i = 0; i < help.topics.size(); ++i) {
        std::string title = LowerText(help.topics[i].title);
        if (holdsAll(title))
            inTitle.push_back(i);
        else if (holdsAll(title + "\n" + LowerText(help.topics[i].text)))
            inText.push_back(i);
    }
    inTitle.insert(inTitle.end(), inText.begin(), inText.end());
    return inTitle;
}

HelpPage PageForTopic(const HelpFile& help, uint32_t context) {
    HelpPage page;
    page.listed = SearchHelpTopics(help, "");
    page.shown = static_cast<size_t>(TopicToShow(help, context) - help.topics.data());
    auto row = std::find(page.listed.begin(), page.listed.end(), page.shown);
    if (row != page.listed.end()) page.chosenRow = static_cast<int>(row - page.listed.begin());
    return page;
}

HelpPage PageForSearch(const HelpFile& help, std::string_view key) {
    HelpPage page;
    page.shown = static_cast<size_t>(HelpContentsTopic(help) - help.topics.data());
    RetypeHelpKey(help, page, key);
    return page;
}

bool RetypeHelpKey(const HelpFile& help, HelpPage& page, std::string_view key) {
    page.key = key;
    page.listed = SearchHelpTopics(help, key);
    page.chosenRow = -1;
    return ChooseHelpRow(page, 0);
}

bool ChooseHelpRow(HelpPage& page, int row) {
    if (row < 0 || static_cast<size_t>(row) >= page.listed.size()) return false;
    page.chosenRow = row;
    page.shown = page.listed[static_cast<size_t>(row)];
    return true;
}

std::string HelpPaneText(const HelpTopic& topic) {
    return topic.title + "\r\n\r\n" + topic.text;
}

std::string HelpCaption(std::string_view appTitle, const HelpTopic& topic) {
    return BoundedFormat(128, "%.*s Help - %s", static_cast<int>(appTitle.size()), appTitle.data(),
                         topic.title.c_str());
}

bool ReadHelpFile(TextFileLayer& files, const std::string& path, HelpFile& help,
                  std::string& refusal) {
    // A help file is a few pages of text; anything far larger is not ours.
    constexpr size_t kMaxHelpFileSize = 4 * 1024 * 1024;
    // The path and the words fit; a longer path is cut with the message.
    constexpr size_t kRefusalSize = 256 + 260;
    std::string bytes;
    const TextFileLayer::Read read = path.empty()
                                         ? TextFileLayer::Read::Failed
                                         : files.ReadWhole(path, kMaxHelpFileSize + 1, bytes);
    if (read != TextFileLayer::Read::Loaded && read != TextFileLayer::Read::ZeroByte) {
        refusal = BoundedFormat(kRefusalSize, "Help file %s not found!", path.c_str());
        return false;
    }
    help = ParseHelpFile(bytes);
    if (HelpContentsTopic(help) != nullptr) return true;
    refusal = BoundedFormat(kRefusalSize, "Help file %s holds no help topics!", path.c_str());
    return false;
}
