#pragma once
// The shell's icon for an item path, owned by a move-only handle.

#include <windows.h>

#include <string>

namespace vantry {

class UniqueIcon {
  public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    ~UniqueIcon() { Reset(); }
    UniqueIcon(UniqueIcon&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
    UniqueIcon& operator=(UniqueIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = other.icon_;
            other.icon_ = nullptr;
        }
        return *this;
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;

    HICON Get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void Reset() {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }

  private:
    HICON icon_ = nullptr;
};

// The shell's small (16 x 16) or large (32 x 32) icon for the path, surrounding spaces removed;
// no icon for an empty path or one the shell does not know.
UniqueIcon LoadFileIcon(const std::string& path, bool smallIcon);

// The shell's icon of a file of no known type at exactly size x size pixels: what a slot shows
// while its own icon is slow to come. It reads nothing on disk.
UniqueIcon GenericIcon(int size);

// The shell's icon for the path at exactly size x size pixels, taken from the nearest of the
// shell's image lists (small, large, extra large, jumbo) that is at least that size and scaled
// down, so that no icon is ever enlarged where the shell has a bigger one. No icon for an empty
// path or one the shell does not know. May block on a slow path: not for the window thread.
UniqueIcon LoadFileIconAtSize(const std::string& path, int size);

// The same for what the path's name says it is (a folder when it ends in "\", else a file of
// its extension's type), without opening anything: for a path that is not there.
UniqueIcon LoadTypeIconAtSize(const std::string& path, int size);

}  // namespace vantry
