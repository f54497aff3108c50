// Writes a seeded benchmark instance as the two CSV files vorbench reads,
// OUT/pieces.csv and OUT/sheets.csv.
// Usage: vorbench_generate --class workshop|I..X [--n N] [--seed S] --out DIR
//
// workshop  sheets 2750 x 1830 mm, unlimited; N piece lines (5..100, drawn
//           from the seed when --n is not given), each WIDTH in [100, 1200] mm,
//           HEIGHT in [100, 900] mm and COPIES in [1, 20].
//
// The ten classic two-dimensional bin-packing classes, N items of COPIES 1 on
// square bins of side W, unlimited:
//   Berkey and Wang: both sides of every item uniform in [1, S]
//     I    W = 10,  S = 10      IV   W = 100, S = 35
//     II   W = 30,  S = 10      V    W = 100, S = 100
//     III  W = 40,  S = 35      VI   W = 300, S = 100
//   Martello and Vigo, W = H = 100, four item types:
//     type 1  w in [2W/3, W], h in [1, H/2]   (long and low)
//     type 2  w in [1, W/2],  h in [2H/3, H]  (narrow and tall)
//     type 3  w in [W/2, W],  h in [H/2, H]   (large)
//     type 4  w in [1, W/2],  h in [1, H/2]   (small)
//   Each item's type is drawn on its own: class VII is type 1 with 70 % and
//   each other type with 10 %, VIII the same with type 2 first, IX type 3,
//   X type 4. The bounds are taken as whole numbers inside the real ranges:
//   2W/3 is 67, W/2 is 50.
// Every draw is uniform over whole numbers, in the order: for each item its
// type (Martello and Vigo only), its width, its height, then (workshop) its
// copies; the workshop's line count comes first of all.
//
// The draws use std::mt19937 seeded through std::seed_seq from S and the
// class number (0 workshop, 1..10), so classes that share a rule (I and II,
// V and VI) still get different items for the same S, and an unbiased
// rejection draw of their own; both are fixed by the standard, so an instance
// is the same with every standard library.

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: vorbench_generate --class workshop|I|II|III|IV|V|VI|VII|VIII|IX|X\n"
    "                         [--n N] [--seed S] --out DIR\n";

constexpr int kWorkshopMinLines = 5;
constexpr int kWorkshopMaxLines = 100;
constexpr int kMaxItems = 1099;  // the most order lines a calculation takes

// A whole number uniform in [low, high]: draws that fall into the incomplete
// last block of the generator's range are rejected.
std::uint32_t Draw(std::mt19937& rng, std::uint32_t low, std::uint32_t high)
{
    const std::uint64_t range = std::uint64_t{high} - low + 1;
    constexpr std::uint64_t kSpan = std::uint64_t{1} << 32;
    const std::uint64_t limit = kSpan - kSpan % range;
    for (;;) {
        const std::uint64_t x = static_cast<std::uint32_t>(rng());
        if (x < limit)
            return static_cast<std::uint32_t>(low + x % range);
    }
}

struct Item {
    std::uint32_t width = 0, height = 0, copies = 1;
};

struct Instance {
    std::uint32_t binWidth = 0, binHeight = 0;
    std::vector<Item> items;
};

struct Range {
    std::uint32_t low, high;
};

// Classes I..VI: the bin side and the item side's upper bound.
struct BerkeyWangClass {
    std::uint32_t bin, side;
};
constexpr BerkeyWangClass kBerkeyWang[6] = {{10, 10}, {30, 10}, {40, 35},
                                            {100, 35}, {100, 100}, {300, 100}};

constexpr std::uint32_t kMartelloVigoBin = 100;

// Type t (1..4) of the Martello and Vigo items on a W x H bin.
void MartelloVigoRanges(int type, std::uint32_t w, std::uint32_t h, Range& width, Range& height)
{
    const std::uint32_t twoThirdsW = (2 * w + 2) / 3;  // 2W/3 rounded up
    const std::uint32_t twoThirdsH = (2 * h + 2) / 3;
    switch (type) {
    case 1:
        width = {twoThirdsW, w};
        height = {1, h / 2};
        break;
    case 2:
        width = {1, w / 2};
        height = {twoThirdsH, h};
        break;
    case 3:
        width = {w / 2, w};
        height = {h / 2, h};
        break;
    default:
        width = {1, w / 2};
        height = {1, h / 2};
        break;
    }
}

// 1..10 for "I".."X", 0 for "workshop", -1 for anything else.
int ClassNumber(std::string_view name)
{
    static const char* const kNames[] = {"I",   "II",   "III", "IV", "V",
                                         "VI",  "VII",  "VIII", "IX", "X"};
    if (name == "workshop")
        return 0;
    for (int i = 0; i < 10; ++i)
        if (name == kNames[i])
            return i + 1;
    return -1;
}

Instance Generate(int classNumber, std::optional<int> n, std::uint32_t seed)
{
    std::seed_seq sequence{seed, static_cast<std::uint32_t>(classNumber)};
    std::mt19937 rng(sequence);
    Instance instance;
    if (classNumber == 0) {
        instance.binWidth = 2750;
        instance.binHeight = 1830;
        const int lines = n ? *n
                            : static_cast<int>(Draw(rng, kWorkshopMinLines, kWorkshopMaxLines));
        for (int i = 0; i < lines; ++i) {
            Item item;
            item.width = Draw(rng, 100, 1200);
            item.height = Draw(rng, 100, 900);
            item.copies = Draw(rng, 1, 20);
            instance.items.push_back(item);
        }
        return instance;
    }
    if (classNumber <= 6) {
        const BerkeyWangClass c = kBerkeyWang[classNumber - 1];
        instance.binWidth = instance.binHeight = c.bin;
        for (int i = 0; i < *n; ++i) {
            Item item;
            item.width = Draw(rng, 1, c.side);
            item.height = Draw(rng, 1, c.side);
            instance.items.push_back(item);
        }
        return instance;
    }
    const int major = classNumber - 6;  // VII: type 1 ... X: type 4
    instance.binWidth = instance.binHeight = kMartelloVigoBin;
    for (int i = 0; i < *n; ++i) {
        const std::uint32_t u = Draw(rng, 0, 99);
        int type = major;
        if (u >= 70) {
            // The three other types in increasing order, 10 % each.
            const int k = static_cast<int>((u - 70) / 10);  // 0, 1, 2
            int seen = 0;
            for (int t = 1; t <= 4; ++t) {
                if (t == major)
                    continue;
                if (seen++ == k) {
                    type = t;
                    break;
                }
            }
        }
        Range width{}, height{};
        MartelloVigoRanges(type, instance.binWidth, instance.binHeight, width, height);
        Item item;
        item.width = Draw(rng, width.low, width.high);
        item.height = Draw(rng, height.low, height.high);
        instance.items.push_back(item);
    }
    return instance;
}

std::string Int(std::uint64_t n)
{
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, n);
    return std::string(buffer, r.ptr);
}

bool WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "vorbench_generate: cannot write " << path.string() << "\n";
        return false;
    }
    return true;
}

template <typename T>
bool ParseWhole(const std::string& text, T& value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv)
{
    std::optional<int> classNumber;
    std::optional<int> n;
    std::uint32_t seed = 1;
    std::optional<fs::path> out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc) {
            std::cerr << "vorbench_generate: " << arg
                      << (arg.starts_with("--") ? " needs a value\n" : ": unexpected\n") << kUsage;
            return 2;
        }
        const std::string value = argv[++i];
        bool ok = true;
        if (arg == "--class") {
            const int c = ClassNumber(value);
            ok = c >= 0;
            classNumber = c;
        } else if (arg == "--n") {
            int v = 0;
            ok = ParseWhole(value, v);
            n = v;
        } else if (arg == "--seed") {
            ok = ParseWhole(value, seed);
        } else if (arg == "--out") {
            out = value;
        } else {
            std::cerr << "vorbench_generate: unknown option " << arg << "\n" << kUsage;
            return 2;
        }
        if (!ok) {
            std::cerr << "vorbench_generate: bad value for " << arg << ": \"" << value << "\"\n"
                      << kUsage;
            return 2;
        }
    }
    if (!classNumber || !out) {
        std::cerr << "vorbench_generate: --class and --out are needed\n" << kUsage;
        return 2;
    }
    if (*classNumber == 0 && n && (*n < kWorkshopMinLines || *n > kWorkshopMaxLines)) {
        std::cerr << "vorbench_generate: a workshop job has 5 to 100 piece lines\n";
        return 2;
    }
    if (*classNumber > 0 && (!n || *n < 1 || *n > kMaxItems)) {
        std::cerr << "vorbench_generate: a classic class needs --n from 1 to 1099\n";
        return 2;
    }

    const Instance instance = Generate(*classNumber, n, seed);
    std::error_code ec;
    fs::create_directories(*out, ec);
    if (ec) {
        std::cerr << "vorbench_generate: cannot make " << out->string() << ": " << ec.message()
                  << "\n";
        return 1;
    }
    std::string pieces = "ID,WIDTH,HEIGHT,COPIES\n";
    for (std::size_t i = 0; i < instance.items.size(); ++i) {
        const Item& item = instance.items[i];
        pieces += Int(i + 1) + "," + Int(item.width) + "," + Int(item.height) + "," +
                  Int(item.copies) + "\n";
    }
    const std::string sheets =
        "WIDTH,HEIGHT\n" + Int(instance.binWidth) + "," + Int(instance.binHeight) + "\n";
    if (!WriteFile(*out / "pieces.csv", pieces) || !WriteFile(*out / "sheets.csv", sheets))
        return 1;
    return 0;
}
