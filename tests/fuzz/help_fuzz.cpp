// The help file parser over any bytes: every topic it keeps can be found by
// its number, its lines are joined by "\r\n" only, and a search returns each
// topic at most once.

#include <string>
#include <vector>

#include "fuzz_input.h"
#include "help/help.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string key = input.Piece(100);
    const std::string bytes = input.Rest();

    const HelpFile help = ParseHelpFile(bytes);
    FUZZ_CHECK(help.topics.empty() == (HelpContentsTopic(help) == nullptr));
    for (const HelpTopic& topic : help.topics) {
        const HelpTopic* found = FindHelpTopic(help, topic.context);
        FUZZ_CHECK(found != nullptr && found->context == topic.context);
        FUZZ_CHECK(found <= &topic);  // the first of duplicates wins
        // Blank lines at either end are dropped; inside, lines end with CRLF.
        FUZZ_CHECK(topic.text.rfind("\r\n", 0) != 0);
        FUZZ_CHECK(topic.text.empty() || topic.text.back() != '\n');
        for (size_t i = topic.text.find('\n'); i != std::string::npos;
             i = topic.text.find('\n', i + 1))
            FUZZ_CHECK(i > 0 && topic.text[i - 1] == '\r');
    }
    const std::vector<size_t> hits = SearchHelpTopics(help, key);
    std::vector<bool> seen(help.topics.size());
    for (size_t index : hits) {
        FUZZ_CHECK(index < help.topics.size() && !seen[index]);
        seen[index] = true;
    }
    if (key.find_first_not_of(" \t") == std::string::npos)
        FUZZ_CHECK(hits.size() == help.topics.size());
    return 0;
}
