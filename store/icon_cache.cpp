#include "store/icon_cache.h"

#include <algorithm>
#include <memory>

#include "store/program_folder.h"
#include "store/save_protocol.h"

namespace vantry {

namespace {

// "VantryIc", the format's version, the dpi, the count; per icon its side, its path's length, the
// path and the pixels; then a checksum of everything before it. Numbers are little-endian.
constexpr std::string_view kMagic = "VantryIc";
constexpr std::uint32_t kVersion = 1;
// The tab shown and the one shown before it (a start opens the first tab, the last click may have
// been on another); more in a file is not one of ours.
constexpr std::uint32_t kMaxIcons = 2 * 20;
constexpr std::uint32_t kMaxPathBytes = 32767 * 3;  // the longest Windows path, in UTF-8

std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::size_t PixelBytes(int side) {
    return static_cast<std::size_t>(side) * static_cast<std::size_t>(side) * 4;
}

// Reads numbers and runs of bytes from the front, failing for good once one would run past the
// end.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool Number(std::uint64_t& value, int bytes) {
        if (rest_.size() < static_cast<std::size_t>(bytes)) return false;
        value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(rest_[i])) << (8 * i);
        }
        rest_.remove_prefix(static_cast<std::size_t>(bytes));
        return true;
    }
    bool Bytes(std::string& out, std::size_t count) {
        if (rest_.size() < count) return false;
        out.assign(rest_.substr(0, count));
        rest_.remove_prefix(count);
        return true;
    }
    std::size_t Left() const { return rest_.size(); }

  private:
    std::string_view rest_;
};

}  // namespace

std::string IconCacheBytes(int dpi, const std::vector<CachedIcon>& icons) {
    std::vector<const CachedIcon*> kept;
    for (const CachedIcon& icon : icons) {
        bool whole = icon.side > 0 && icon.side <= kMaxCachedSide &&
                     icon.pixels.size() == PixelBytes(icon.side) &&
                     icon.path.size() <= kMaxPathBytes;
        if (whole && kept.size() < kMaxIcons) kept.push_back(&icon);
    }
    std::string out(kMagic);
    Put(out, kVersion, 4);
    Put(out, static_cast<std::uint32_t>(dpi), 4);
    Put(out, kept.size(), 4);
    for (const CachedIcon* icon : kept) {
        Put(out, static_cast<std::uint32_t>(icon->side), 4);
        Put(out, icon->path.size(), 4);
        out += icon->path;
        out += icon->pixels;
    }
    Put(out, Checksum(out), 8);
    return out;
}

std::vector<CachedIcon> ParseIconCache(std::string_view bytes, int dpi) {
    constexpr std::size_t kChecksumBytes = 8;
    if (bytes.size() < kMagic.size() + kChecksumBytes || !bytes.starts_with(kMagic)) return {};
    std::string_view body = bytes.substr(0, bytes.size() - kChecksumBytes);
    std::uint64_t stored = 0;
    Reader tail(bytes.substr(body.size()));
    if (!tail.Number(stored, kChecksumBytes) || stored != Checksum(body)) return {};

    Reader reader(body.substr(kMagic.size()));
    std::uint64_t version = 0, fileDpi = 0, count = 0;
    if (!reader.Number(version, 4) || version != kVersion || !reader.Number(fileDpi, 4) ||
        fileDpi != static_cast<std::uint64_t>(dpi) || !reader.Number(count, 4) ||
        count > kMaxIcons) {
        return {};
    }
    std::vector<CachedIcon> icons(count);
    for (CachedIcon& icon : icons) {
        std::uint64_t side = 0, pathBytes = 0;
        if (!reader.Number(side, 4) || side == 0 || side > kMaxCachedSide ||
            !reader.Number(pathBytes, 4) || pathBytes > kMaxPathBytes ||
            !reader.Bytes(icon.path, pathBytes)) {
            return {};
        }
        icon.side = static_cast<int>(side);
        if (!reader.Bytes(icon.pixels, PixelBytes(icon.side))) return {};
    }
    if (reader.Left() != 0) return {};
    return icons;
}

const std::string* IconCache::Find(const std::string& path, int side, int dpi) {
    if (loadedDpi_ != dpi) Load(dpi);
    auto found = std::find_if(icons_.begin(), icons_.end(), [&](const CachedIcon& icon) {
        return icon.side == side && icon.path == path;
    });
    return found == icons_.end() ? nullptr : &found->pixels;
}

void IconCache::Load(int dpi) {
    loadedDpi_ = dpi;
    std::string bytes = folder_.ReadBytes(kIconCacheFile).value_or(std::string());
    known_ = Checksum(bytes);
    icons_ = ParseIconCache(bytes, dpi);
}

void IconCache::Keep(int dpi, std::vector<CachedIcon> icons) {
    if (loadedDpi_ != dpi) Load(dpi);
    // The icons given first, then those of the tab shown before that are not among them.
    std::vector<CachedIcon> kept = std::move(icons);
    for (CachedIcon& earlier : icons_) {
        if (kept.size() >= kMaxIcons) break;
        bool shown = std::any_of(kept.begin(), kept.end(), [&](const CachedIcon& icon) {
            return icon.side == earlier.side && icon.path == earlier.path;
        });
        if (!shown) kept.push_back(std::move(earlier));
    }
    icons_ = std::move(kept);
    std::string bytes = IconCacheBytes(dpi, icons_);
    if (Checksum(bytes) == known_) return;
    known_ = Checksum(bytes);
    Write(bytes);
}

// Under one try at the folder's save turn, which sweeps what dead writers left as a save's does: a
// cache is not worth waiting for, so a held turn skips the write.
void IconCache::Write(const std::string& bytes) {
    std::unique_ptr<FileTurn> turn;
    if (!folder_.TryTakeTurn(turn).Ok()) return;
    SweepAbandoned(folder_, *turn);
    std::string temporary = TemporaryName(kIconCacheFile, folder_.RandomBits());
    std::unique_ptr<NewFile> file;
    if (!folder_.CreateNew(temporary, file).Ok()) return;
    bool written = file->Write(bytes).Ok();
    // Closed without a flush: a cache cut short by a power cut fails its checksum, and the next
    // start looks its icons up as if there were none.
    file.reset();
    if (!written || !folder_.RenameReplacing(temporary, kIconCacheFile).Ok()) {
        if (!folder_.Delete(temporary)) turn->LeaveAbandoned();
    }
}

}  // namespace vantry
