// The tank file (".zb"): a 40-byte header with the tank's own values, then one record per object
// in list order (from version 4 on each with its payload's length, then a list of tagged blocks).
// Little-endian integers, IEEE doubles, one byte per boolean, no padding. Versions 1 to 4 are
// read; docs/tank-file-format.md describes them.
#pragma once

#include "model/tank.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zb {

constexpr size_t kTankHeaderSize = 40;
constexpr size_t kRecordHeadSize = 260; // 256-byte name field and the kind

// Parses a whole file held in memory into tank, which should be fresh; on any result but Ok the
// caller discards it. Probes beyond kMaxMesspunkte in a version 3 file are read past and dropped.
TankReadResult parseTank(const uint8_t* data, size_t size, TZBecken& tank);

// Reads a regular file only: anything else at the path is refused without being opened. detail,
// when given, learns why a file cannot be opened or which version it has.
TankReadResult readTankFile(const std::string& path, TZBecken& tank,
                            TankReadDetail* detail = nullptr);

// The bytes of a version 2 file, of version 3 when the tank holds a probe, of version 4 when it
// uses what only version 4 holds (a medium, a curved wall, a moving or pulsed exciter, RandArt).
std::vector<uint8_t> serializeTank(const TZBecken& tank);

// Writes a temporary file beside path, syncs it and renames it over path; refuses a path that
// names anything but a regular file.
TankSaveResult writeTankFile(const std::string& path, const TZBecken& tank);

} // namespace zb
