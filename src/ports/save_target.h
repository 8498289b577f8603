// What a save may overwrite, the same on every system: each host finds out what stands where
// its chain of links ends, and asks this before it puts a new file there.
#pragma once

enum class SaveTarget {
  kNothing,      // no file yet: the save creates it
  kRegularFile,  // replaced whole
  kOther,        // a device, FIFO, socket or folder: never replaced
};

// Links followed at most on the way to a file; a longer chain is taken for a loop.
inline constexpr int kMaxLinksFollowed = 40;

// The reason a save gives when it refuses its target.
inline constexpr char kNotARegularFile[] = "not a regular file";

inline constexpr bool MayReplace(SaveTarget target) { return target != SaveTarget::kOther; }
