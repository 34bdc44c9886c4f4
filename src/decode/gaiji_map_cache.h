// "GaijiMap.db": the compiled form of every external-character map, so that
// a start reads one file instead of parsing the GAIJI folder. Little-endian:
//
//   0   4  magic "GM01"
//   4   4  number N of records (signed)
//   8      N records:
//          0   32  name (Shift_JIS, NUL-padded)
//          32   2  half-width count H
//          34   2  full-width count Z
//          36   2  compound count K
//          38   8  file time of the map file, low 32 bits first
//          46      H, then Z, then K entries of 8 bytes:
//                  code (2), Unicode value (2), replacement text (4)
//
// Reading checks every count against the bytes left in the file before it
// allocates, so a cache of any content is read safely: the first record that
// the file cannot hold ends the read, keeping the records before it.
#ifndef TOMELING_DECODE_GAIJI_MAP_CACHE_H_
#define TOMELING_DECODE_GAIJI_MAP_CACHE_H_

#include <memory>
#include <string>
#include <vector>

#include "decode/gaiji_map.h"

enum class GaijiCacheStatus {
  kMissing,  // no file, or not a cache ("GM01"): nothing read
  kWhole,    // every record read
  kDamaged,  // cut short or with counts the file cannot hold
};

// Appends the records of the cache at `path` to `records`, each marked
// valid. Allocation failures are fatal.
GaijiCacheStatus ReadGaijiMapCache(const std::string& path,
                                   std::vector<std::unique_ptr<GaijiMapRecord>>* records);

// The cache file image of the valid records of `records`, in order.
std::string SerializeGaijiMapCache(const std::vector<std::unique_ptr<GaijiMapRecord>>& records);

#endif  // TOMELING_DECODE_GAIJI_MAP_CACHE_H_
