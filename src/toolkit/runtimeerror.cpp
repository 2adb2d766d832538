#include "toolkit/runtimeerror.h"

namespace tk {

RuntimeError::RuntimeError(int number, QString message, Reason reason)
    : number_(number), message_(std::move(message)), reason_(reason),
      utf8_(QStringLiteral("Laufzeitfehler %1: %2").arg(number_).arg(message_).toStdString())
{
}

RuntimeError RuntimeError::overflow()
{
    return {6, QStringLiteral("Überlauf")};
}

RuntimeError RuntimeError::outOfMemory()
{
    return {7, QStringLiteral("Nicht genügend Speicher")};
}

RuntimeError RuntimeError::subscriptOutOfRange()
{
    return {9, QStringLiteral("Index außerhalb des gültigen Bereichs")};
}

RuntimeError RuntimeError::typeMismatch()
{
    return {13, QStringLiteral("Typen unverträglich")};
}

RuntimeError RuntimeError::fileNotFound(const QString& file)
{
    return {53, QStringLiteral("Datei nicht gefunden: %1").arg(file)};
}

RuntimeError RuntimeError::pathNotFound(const QString& path)
{
    return {76, QStringLiteral("Pfad nicht gefunden: %1").arg(path)};
}

RuntimeError RuntimeError::noSuchArrayMember(const QString& array, int index)
{
    return {340, QStringLiteral("Steuerelementfeld-Element %1(%2) existiert nicht").arg(array).arg(index)};
}

RuntimeError RuntimeError::objectRequired(const QString& name)
{
    return {424, QStringLiteral("Objekt erforderlich: %1").arg(name)};
}

RuntimeError RuntimeError::invalidPropertyValue()
{
    return {380, QStringLiteral("Unzulässiger Eigenschaftswert")};
}

RuntimeError RuntimeError::invalidPicture(const QString& file, Reason reason)
{
    return {481, QStringLiteral("Ungültiges Bild: %1").arg(file), reason};
}

} // namespace tk
