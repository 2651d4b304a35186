#pragma once
// The icons the list last drew, kept in a file of the program's own in its folder so that a start
// can draw the whole list before the shell has answered one look-up. The look-ups still run and
// replace any icon that changed. The file is never needed: one that is missing, from another
// version or DPI, damaged, cut short or not writable reads as no cache and costs only time.
// Written to a temporary file and renamed over the old one, so a reader never sees half of it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/folder_files.h"

namespace vantry {

inline constexpr char kIconCacheFile[] = "VantryIcons.cache";

// One drawn icon: the item's path, its side in pixels and side x side pixels of 32-bit colour
// (blue, green, red, alpha; rows from the top; alpha not premultiplied).
struct CachedIcon {
    std::string path;
    int side = 0;
    std::string pixels;

    bool operator==(const CachedIcon&) const = default;
};

// The largest side kept: the jumbo icon.
inline constexpr int kMaxCachedSide = 256;

// The file's bytes for the icons at the screen's dpi; an icon whose pixels do not match its side
// is left out.
std::string IconCacheBytes(int dpi, const std::vector<CachedIcon>& icons);
// The icons of the file's bytes, or none when they are not a whole cache of this version at this
// dpi.
std::vector<CachedIcon> ParseIconCache(std::string_view bytes, int dpi);

// The cache in the program folder, read once at the first icon asked for and written when what
// the list shows differs from what the file holds.
class IconCache {
  public:
    explicit IconCache(FolderFiles& folder) : folder_(folder) {}

    // The cached pixels of the path's icon at that side and dpi, or null.
    const std::string* Find(const std::string& path, int side, int dpi);
    // Makes these the cached icons, followed by as many of the earlier ones as the file keeps
    // (the tab shown before), unless the file holds them already. A folder that cannot be written
    // or whose save turn is held is left as it is; the same icons are not tried again.
    void Keep(int dpi, std::vector<CachedIcon> icons);

  private:
    void Load(int dpi);
    void Write(const std::string& bytes);

    FolderFiles& folder_;
    int loadedDpi_ = 0;  // 0: not read yet
    std::vector<CachedIcon> icons_;
    std::uint64_t known_ = 0;  // the checksum of the file's bytes, as far as this process knows
};

}  // namespace vantry
