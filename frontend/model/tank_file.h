// The tank file (".zb"): a 40-byte header with the tank's own values, then one record per object
// in list order. Little-endian integers, IEEE doubles, one byte per boolean, no padding.
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
// caller discards it.
TankReadResult parseTank(const uint8_t* data, size_t size, TZBecken& tank);

TankReadResult readTankFile(const std::string& path, TZBecken& tank);

// The bytes of a version 2 file.
std::vector<uint8_t> serializeTank(const TZBecken& tank);

// Writes a temporary file beside path, syncs it and renames it over path.
TankSaveResult writeTankFile(const std::string& path, const TZBecken& tank);

} // namespace zb
