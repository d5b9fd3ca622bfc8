// Makes the benchmark's data, the same bytes on every machine:
//   text/   20,000 text files of 1 to 40 KB in 200 directories three levels
//           deep, CRLF lines of words; files 37, 137, 237, ... (one in a
//           hundred) hold the word "needle" once, at a line chosen by the seed
//   names/  200,000 empty files in 200 directories for name-only walks; one
//           in 400 is a .txt file (500), the others .dat
//   big.txt one 200 MiB text file whose only "needle" is in its last line
// A stamp file names the data's version; data with the right stamp is kept.
//   bench_gen <folder>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kStamp = "quarry bench data 2\n";
constexpr int kTopDirs = 5, kMiddleDirs = 5, kLeafDirs = 8;  // 200 leaves
constexpr int kTextFilesPerDir = 100;
constexpr int kNameFilesPerDir = 1000;
constexpr uint64_t kBigFileBytes = 200ull << 20;

// splitmix64: tiny, and the same on every platform.
struct Random {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
};

std::vector<std::string> MakeWords(Random& random) {
    static const char* kConsonants = "bcdfghjklmnprstvwyz";
    static const char* kVowels = "aeiou";
    std::vector<std::string> words;
    while (words.size() < 4000) {
        std::string word;
        const uint32_t syllables = 1 + random.Below(4);
        for (uint32_t s = 0; s < syllables; ++s) {
            word += kConsonants[random.Below(19)];
            word += kVowels[random.Below(5)];
            if (random.Below(3) == 0) word += kConsonants[random.Below(19)];
        }
        if (word.find("needl") == std::string::npos) words.push_back(word);
    }
    return words;
}

// A few MiB of CRLF lines that every file takes a slice of; line starts are
// kept so slices begin at one.
struct Corpus {
    std::string text;
    std::vector<size_t> lineStarts;
};

Corpus MakeCorpus(Random& random, const std::vector<std::string>& words) {
    Corpus corpus;
    while (corpus.text.size() < (4u << 20)) {
        corpus.lineStarts.push_back(corpus.text.size());
        const size_t target = 30 + random.Below(80);
        std::string line;
        while (line.size() < target) {
            std::string word = words[random.Below(static_cast<uint32_t>(words.size()))];
            if (line.empty() || random.Below(12) == 0) word[0] = static_cast<char>(word[0] - 32);
            if (!line.empty()) line += random.Below(9) == 0 ? ", " : " ";
            line += word;
        }
        corpus.text += line;
        corpus.text += random.Below(4) == 0 ? ".\r\n" : "\r\n";
    }
    return corpus;
}

// size bytes of whole lines from a random line of the corpus, wrapping.
std::string Slice(Random& random, const Corpus& corpus, size_t size) {
    std::string out;
    size_t at = corpus.lineStarts[random.Below(static_cast<uint32_t>(corpus.lineStarts.size()))];
    while (out.size() < size) {
        const size_t take = std::min(size - out.size(), corpus.text.size() - at);
        out.append(corpus.text, at, take);
        at = 0;
    }
    return out;
}

// Puts " needle" after a word of a line near `where`.
void PlantNeedle(std::string& text, size_t where) {
    size_t space = text.find(' ', where);
    if (space == std::string::npos) space = text.rfind(' ');
    text.insert(space, " needle");
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "bench_gen: cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

template <typename Leaf>
void ForEachLeaf(const fs::path& root, Leaf leaf) {
    int index = 0;
    for (int a = 0; a < kTopDirs; ++a) {
        for (int b = 0; b < kMiddleDirs; ++b) {
            for (int c = 0; c < kLeafDirs; ++c) {
                char name[32];
                std::snprintf(name, sizeof name, "d%d/d%d%d/d%d%d%d", a, a, b, a, b, c);
                fs::path dir = root / name;
                fs::create_directories(dir);
                leaf(dir, index++);
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_gen <folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    const fs::path stamp = root / "stamp";
    {
        std::ifstream in(stamp);
        std::string have((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (have == kStamp) return 0;
    }
    std::printf("bench_gen: making the benchmark data in %s (once)\n", root.c_str());
    std::fflush(stdout);
    fs::remove_all(root);
    fs::create_directories(root);

    Random random{20240601};
    const std::vector<std::string> words = MakeWords(random);
    const Corpus corpus = MakeCorpus(random, words);

    int needles = 0;
    ForEachLeaf(root / "text", [&](const fs::path& dir, int leaf) {
        for (int i = 0; i < kTextFilesPerDir; ++i) {
            const int number = leaf * kTextFilesPerDir + i;
            const size_t size = 1024 + random.Below(40 * 1024 - 1024 + 1);
            std::string text = Slice(random, corpus, size);
            if (number % 100 == 37) {
                PlantNeedle(text, random.Below(static_cast<uint32_t>(text.size())));
                ++needles;
            }
            char name[32];
            std::snprintf(name, sizeof name, "f%05d.txt", number);
            WriteFile(dir / name, text);
        }
    });
    ForEachLeaf(root / "names", [&](const fs::path& dir, int leaf) {
        for (int i = 0; i < kNameFilesPerDir; ++i) {
            const int number = leaf * kNameFilesPerDir + i;
            char name[32];
            std::snprintf(name, sizeof name, "n%06d.%s", number, number % 400 == 7 ? "txt" : "dat");
            WriteFile(dir / name, {});
        }
    });
    {
        std::ofstream big(root / "big.txt", std::ios::binary);
        uint64_t written = 0;
        const uint64_t body = kBigFileBytes - 4096;
        while (written < body) {
            std::string piece = Slice(random, corpus, std::min<uint64_t>(1 << 20, body - written));
            big.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            written += piece.size();
        }
        std::string tail = Slice(random, corpus, 4096);
        tail.resize(tail.rfind('\n') + 1);
        PlantNeedle(tail, tail.rfind('\n', tail.size() - 2) + 1);
        big.write(tail.data(), static_cast<std::streamsize>(tail.size()));
        if (!big) {
            std::fprintf(stderr, "bench_gen: cannot write big.txt\n");
            return 1;
        }
    }
    WriteFile(stamp, kStamp);
    std::printf("bench_gen: %d text files hold the search text\n", needles);
    return 0;
}
