#pragma once
// File errors reported the way users of the program know them: "Error: " + number, a line
// break, and a description. The numbers are the classic runtime error numbers.
#include <QFileDevice>
#include <QString>

class Prompter;

constexpr int kErrBadFileName = 52;
constexpr int kErrFileNotFound = 53;
constexpr int kErrBadFileMode = 54;
constexpr int kErrDeviceIO = 57;
constexpr int kErrFileAlreadyExists = 58;
constexpr int kErrDiskFull = 61;
constexpr int kErrBadRecordNumber = 63;
constexpr int kErrTooManyFiles = 67;
constexpr int kErrDeviceUnavailable = 68;
constexpr int kErrPermissionDenied = 70;
constexpr int kErrPathFileAccess = 75;
constexpr int kErrPathNotFound = 76;

struct FileError {
    int number = 0;
    QString description;
    int systemError = 0;  // the system's error code (errno) when the system gave one
    QString path = {};    // the file the error is about, when one is named

    bool failed() const { return number != 0; }
};

FileError FileErrorOf(const QFileDevice& file);
// The error the system reported as `errnum`, with the system's own description.
FileError SystemFileError(int errnum);
// "Error: N", a line break and the description; then the file, when the error names one.
QString ErrorMessageText(const FileError& error);
// A file that changed since it was read (another program wrote, replaced or removed it): the
// step that would have destroyed something was not taken.
FileError ChangedMeanwhileError(const QString& path);
// Shows the "Error: " box (critical icon, title "Zarn") when a prompter is given.
void ReportFileError(Prompter* prompter, const FileError& error);
