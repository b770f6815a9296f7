// vokc-run: the French reasons of system errors.
#include "error_reason.h"

#include <cerrno>
#include <cstring>

namespace vokc::grading {

std::string ErrorReason(int error) {
    switch (error) {
    case ENOENT:
        return "fichier introuvable";
    case ENOTDIR:
        return "chemin introuvable";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case EISDIR:
        return "c'est un dossier";
    case EFBIG:
    case EOVERFLOW:
        return "fichier trop volumineux";
    case ENOSPC:
        return "disque plein";
    case EIO:
        return "erreur d'entrée/sortie";
    case ENOMEM:
        return "mémoire insuffisante";
    default:
        return std::strerror(error);
    }
}

} // namespace vokc::grading
