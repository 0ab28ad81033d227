// German words for what the system reports, so that no English text reaches the user.
#pragma once

#include <string>
#include <sys/types.h>

namespace zb {

// A short phrase that fits after a colon, e.g. "der Datenträger ist voll" for ENOSPC. Rare
// reasons give their symbolic name and number ("Systemfehler EPROTO (71)").
std::string systemErrorText(int errnoValue);

// What a file of this st_mode is, as a noun phrase: "ein Ordner", "eine benannte Pipe",
// "ein Gerät", "ein Socket"; "eine gewöhnliche Datei" for a regular file.
std::string fileKindText(mode_t mode);

} // namespace zb
