#include "settings/settings_file.h"

#include <vector>

#include "search/criteria.h"

namespace {

// The profile functions' blanks: white space and the old end-of-file mark.
bool IsProfileBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string_view TrimProfileBlanks(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

// One line of the file: its bytes without the line end, and the line end.
struct Line {
    std::string text;
    std::string end;
};

// A line ends at a line feed, as the profile functions cut it; a carriage
// return before it is part of the line end.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text), ""});
            break;
        }
        size_t body = end;
        if (body > 0 && text[body - 1] == '\r') --body;
        lines.push_back({std::string(text.substr(0, body)), std::string(text.substr(body, end + 1 - body))});
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The section a line starts, or false. The name is what lies between the
// '[' and the last ']', blanks and all.
bool SectionOf(const Line& line, std::string_view& name) {
    std::string_view text = TrimProfileBlanks(line.text);
    if (text.empty() || text.front() != '[') return false;
    size_t close = text.rfind(']');
    if (close == std::string_view::npos) return false;
    name = text.substr(1, close - 1);
    return true;
}

// The key a line holds: the text before the first '=' (or the whole line
// when it has none), blanks trimmed.
std::string_view KeyOf(const Line& line) {
    std::string_view text = TrimProfileBlanks(line.text);
    return TrimProfileBlanks(text.substr(0, text.find('=')));
}

bool IsBlankLine(const Line& line) {
    return TrimProfileBlanks(line.text).empty();
}

// A value is one line of the file; anything from a line end on would start another.
std::string OneLine(const std::string& value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

class SettingsText {
  public:
    explicit SettingsText(std::string_view text) : lines_(SplitLines(text)) {
        // New lines end as the file's lines do.
        for (const Line& line : lines_) {
            if (!line.end.empty()) {
                eol_ = line.end;
                break;
            }
        }
    }

    void Put(const char* section, const char* key, const std::string& value) {
        size_t header = FindSection(section);
        if (header == lines_.size()) {
            AddSection(section);
            header = lines_.size() - 1;
        }
        size_t end = header + 1;
        std::string_view name;
        while (end < lines_.size() && !SectionOf(lines_[end], name)) ++end;
        for (size_t i = header + 1; i < end; ++i) {
            if (!IsBlankLine(lines_[i]) && SameTextIgnoringCase(KeyOf(lines_[i]), key)) {
                SetValue(lines_[i], key, value);
                return;
            }
        }
        // After the section's last line that is not blank, so the blank lines
        // before the next section stay where they were.
        size_t after = end;
        while (after > header + 1 && IsBlankLine(lines_[after - 1])) --after;
        Insert(after, std::string(key) + "=" + OneLine(value));
    }

    std::string Text() const {
        std::string text;
        for (const Line& line : lines_) text += line.text + line.end;
        return text;
    }

  private:
    // The first section of the name: the profile functions look no further.
    size_t FindSection(const char* section) const {
        std::string_view name;
        for (size_t i = 0; i < lines_.size(); ++i)
            if (SectionOf(lines_[i], name) && SameTextIgnoringCase(name, section)) return i;
        return lines_.size();
    }

    void AddSection(const char* section) {
        if (!lines_.empty() && !IsBlankLine(lines_.back())) Insert(lines_.size(), "");
        Insert(lines_.size(), std::string("[") + section + "]");
    }

    void Insert(size_t at, std::string text) {
        // The line before gets an end if it had none: it was the file's last.
        if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = eol_;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), eol_});
    }

    // Keeps the line's own spelling and spacing up to the value; a key line
    // without '=' gets one.
    static void SetValue(Line& line, const char* key, const std::string& value) {
        size_t equals = line.text.find('=');
        if (equals == std::string::npos) {
            size_t start = 0;
            while (start < line.text.size() && IsProfileBlank(line.text[start])) ++start;
            line.text = line.text.substr(0, start) + key + "=" + OneLine(value);
            return;
        }
        size_t valueStart = equals + 1;
        while (valueStart < line.text.size() && (line.text[valueStart] == ' ' || line.text[valueStart] == '\t'))
            ++valueStart;
        line.text = line.text.substr(0, valueStart) + OneLine(value);
    }

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
};

}  // namespace

std::string SettingsFileText(std::string_view oldText, const Settings& settings) {
    SettingsText text(oldText);
    for (const SettingsKey& key : kSettingsWriteOrder)
        text.Put(key.section, key.key, FormatSettingsValue(settings, key.value));
    return text.Text();
}

bool SaveSettingsFile(TextFileLayer& files, const std::string& path, const Settings& settings) {
    std::string oldText;
    if (files.Exists(path)) {
        TextFileLayer::Read read = files.ReadWhole(path, kSettingsFileLimit, oldText);
        // A zero byte is the user's; it is kept like any other.
        if (read != TextFileLayer::Read::Loaded && read != TextFileLayer::Read::ZeroByte)
            return false;
    }
    return WriteFileReplacing(files, path, SettingsFileText(oldText, settings)) ==
           FileWrite::Written;
}
