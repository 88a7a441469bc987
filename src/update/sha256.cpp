#include "update/sha256.h"

#include <QByteArray>
#include <QCryptographicHash>

namespace quintara {

std::string sha256Hex(std::string_view bytes)
{
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha256);
    return digest.toHex().toStdString();
}

}  // namespace quintara
