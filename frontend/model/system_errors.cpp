#include "model/system_errors.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace zb {

std::string systemErrorText(int errnoValue) {
    switch (errnoValue) {
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case EROFS:
        return "das Dateisystem ist schreibgeschützt";
    case ENOSPC:
        return "der Datenträger ist voll";
    case EDQUOT:
        return "das Speicherkontingent ist erschöpft";
    case ENOENT:
        return "der Ordner existiert nicht";
    case ENOTDIR:
        return "ein Teil des Pfades ist kein Ordner";
    case EISDIR:
        return "das ist ein Ordner";
    case EMLINK:
        return "zu viele Verknüpfungen";
    case ELOOP:
        return "zu viele symbolische Verknüpfungen hintereinander";
    case ENAMETOOLONG:
        return "der Name ist zu lang";
    case EFBIG:
        return "die Datei würde zu groß";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers";
    case EPIPE:
        return "niemand liest mehr mit";
    case ENXIO:
    case ENODEV:
        return "kein solches Gerät";
    case EBUSY:
    case ETXTBSY:
        return "die Datei ist gerade in Benutzung";
    case ENOMEM:
        return "zu wenig Speicher";
    case EMFILE:
    case ENFILE:
        return "zu viele offene Dateien";
    case EINTR:
        return "unterbrochen";
    case EXDEV:
        return "Ziel und Zwischendatei liegen auf verschiedenen Dateisystemen";
    }
    const char* name = strerrorname_np(errnoValue);
    return std::string("Systemfehler ") + (name ? name : "") + (name ? " (" : "(") +
           std::to_string(errnoValue) + ")";
}

std::string fileKindText(mode_t mode) {
    if (S_ISREG(mode))
        return "eine gewöhnliche Datei";
    if (S_ISDIR(mode))
        return "ein Ordner";
    if (S_ISFIFO(mode))
        return "eine benannte Pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "ein Gerät";
    if (S_ISSOCK(mode))
        return "ein Socket";
    return "keine gewöhnliche Datei";
}

} // namespace zb
