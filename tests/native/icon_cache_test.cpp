#include "store/icon_cache.h"

#include <gtest/gtest.h>

#include "tests/native/support/sim_folder.h"

namespace vantry {
namespace {

CachedIcon Icon(const std::string& path, int side, char shade) {
    return {path, side, std::string(static_cast<std::size_t>(side * side * 4), shade)};
}

const std::vector<CachedIcon> kIcons = {Icon("C:\\Tools\\edit.exe", 32, 'a'),
                                        Icon("C:\\Tools\\edit.exe", 16, 'b'),
                                        Icon("\\\\server\\share\\Überblick\\", 48, 'c')};

TEST(IconCache, ReadsBackWhatItWrote) {
    EXPECT_EQ(ParseIconCache(IconCacheBytes(144, kIcons), 144), kIcons);
    EXPECT_EQ(ParseIconCache(IconCacheBytes(96, {}), 96), std::vector<CachedIcon>{});
}

// Whatever happened to the file, it reads as no cache, never as icons it did not hold.
TEST(IconCache, DamagedShortOrForeignBytesReadAsNoCache) {
    const std::string good = IconCacheBytes(96, kIcons);
    std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"a list file", "C:\\Tools\\edit.exe\r\n"},
        {"one byte more", good + "x"},
        {"zeros of its length, as a power cut leaves them", std::string(good.size(), '\0')},
        {"another dpi's", IconCacheBytes(120, kIcons)},
    };
    for (std::size_t length = 0; length < good.size(); length += 97) {
        cases.push_back({"cut to " + std::to_string(length), good.substr(0, length)});
    }
    cases.push_back({"cut before its checksum's last byte", good.substr(0, good.size() - 1)});
    for (std::size_t at = 0; at < good.size(); at += 61) {
        std::string flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        cases.push_back({"byte " + std::to_string(at) + " changed", flipped});
    }
    for (const auto& [what, bytes] : cases) {
        EXPECT_TRUE(ParseIconCache(bytes, 96).empty()) << what;
    }
}

// Icons are kept by path and side; one whose pixels do not fit its side is not kept at all.
TEST(IconCache, FindsOnlyWholeIconsOfTheSizeAndDpiAsked) {
    test::SimDisk disk;
    test::SimFolder folder(disk);
    std::vector<CachedIcon> icons = kIcons;
    icons.push_back({"C:\\short.txt", 16, std::string(100, 'd')});
    icons.push_back({"C:\\huge.txt", kMaxCachedSide + 1, ""});
    IconCache(folder).Keep(96, icons);

    IconCache read(folder);
    ASSERT_NE(read.Find("C:\\Tools\\edit.exe", 16, 96), nullptr);
    EXPECT_EQ(*read.Find("C:\\Tools\\edit.exe", 16, 96), kIcons[1].pixels);
    EXPECT_EQ(read.Find("C:\\Tools\\edit.exe", 24, 96), nullptr);
    EXPECT_EQ(read.Find("C:\\short.txt", 16, 96), nullptr);
    EXPECT_EQ(read.Find("C:\\huge.txt", kMaxCachedSide + 1, 96), nullptr);
    EXPECT_EQ(read.Find("C:\\Tools\\edit.exe", 32, 120), nullptr);
    EXPECT_EQ(ParseIconCache(disk.files.at(kIconCacheFile).bytes, 96), kIcons);
}

// A start opens the first tab, and the last click may have been on another: the tab shown goes
// first, the one shown before it after, as far as two tabs' worth.
TEST(IconCache, KeepsTheTabShownBeforeBehindTheOneShownNow) {
    test::SimDisk disk;
    test::SimFolder folder(disk);
    IconCache cache(folder);
    cache.Keep(96, {kIcons[0]});
    cache.Keep(96, {kIcons[1], kIcons[2]});
    EXPECT_EQ(ParseIconCache(disk.files.at(kIconCacheFile).bytes, 96),
              (std::vector<CachedIcon>{kIcons[1], kIcons[2], kIcons[0]}));
    std::vector<CachedIcon> twoTabs;
    for (int i = 0; i < 40; ++i) twoTabs.push_back(Icon("C:\\" + std::to_string(i), 16, 'e'));
    cache.Keep(96, twoTabs);
    EXPECT_EQ(ParseIconCache(disk.files.at(kIconCacheFile).bytes, 96), twoTabs);
}

// A write that fails at any of its steps (a read-only folder, a full disk) leaves the old cache
// or the new one and reports nothing. A temporary file it could not delete is left for the next
// turn to sweep.
TEST(IconCache, AFailedWriteLeavesAWholeCacheAndNoTemporaryFileUnswept) {
    const std::string old = IconCacheBytes(96, {kIcons[0]});
    for (int failAt = 1; failAt <= 16; ++failAt) {
        test::SimDisk disk;
        disk.Set(kIconCacheFile, old);
        test::SimFolder folder(disk);
        folder.failAt = failAt / 2;
        folder.failCalls = 1 + failAt % 2;
        IconCache(folder).Keep(96, kIcons);
        ASSERT_EQ(disk.files.size(), disk.turnAbandoned ? 2u : 1u) << failAt;
        const std::string& left = disk.files.at(kIconCacheFile).bytes;
        EXPECT_TRUE(left == old || left == IconCacheBytes(96, kIcons)) << failAt;
    }
}

}  // namespace
}  // namespace vantry
