#pragma once

#include <QString>
#include <exception>
#include <string>

namespace tk {

// Why an operation failed, where the number alone does not tell what to do about
// it: the kinds of file that are no usable picture (error 481).
enum class Reason {
    None,
    NoPicture,     // the content is no picture at all
    Damaged,       // a picture format whose content cannot be read through
    Unreadable,    // the file cannot be opened: no read permission
    UnknownFormat, // a picture format that no reader here knows (HEIC, WebP, TIFF, ...)
    SpecialFile,   // no regular file: a folder, a pipe or a device
    TooLarge,      // a picture that would take more memory to read than the program allows
};

// The one error type of the program. A handler that hits a run-time error throws it;
// the dispatcher that runs every handler catches it, shows the standard message and
// ends the program. Numbers follow the classic run-time error numbers.
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString message, Reason reason = Reason::None);

    int number() const { return number_; }
    const QString& message() const { return message_; }
    Reason reason() const { return reason_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

    static RuntimeError overflow();                                         // 6
    static RuntimeError outOfMemory();                                      // 7
    static RuntimeError subscriptOutOfRange();                              // 9
    static RuntimeError typeMismatch();                                     // 13
    static RuntimeError fileNotFound(const QString& file);                  // 53
    static RuntimeError pathNotFound(const QString& path);                  // 76
    static RuntimeError noSuchArrayMember(const QString& array, int index); // 340
    static RuntimeError invalidPropertyValue();                             // 380
    static RuntimeError objectRequired(const QString& name);                // 424
    static RuntimeError invalidPicture(const QString& file, Reason reason); // 481

private:
    int number_;
    QString message_;
    Reason reason_;
    std::string utf8_;
};

} // namespace tk
