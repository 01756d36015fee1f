#pragma once
// File errors reported the way users of the program know them: "Error: " + number, a line
// break, and a description. The numbers are the classic runtime error numbers.
#include <QFileDevice>
#include <QString>

class Prompter;

constexpr int kErrFileNotFound = 53;
constexpr int kErrBadFileMode = 54;
constexpr int kErrDeviceIO = 57;
constexpr int kErrFileAlreadyExists = 58;
constexpr int kErrPermissionDenied = 70;
constexpr int kErrPathFileAccess = 75;
constexpr int kErrBadRecordNumber = 63;

struct FileError {
    int number = 0;
    QString description;

    bool failed() const { return number != 0; }
};

FileError FileErrorOf(const QFileDevice& file);
QString ErrorMessageText(const FileError& error);
// Shows the "Error: " box (critical icon, title "Zarn") when a prompter is given.
void ReportFileError(Prompter* prompter, const FileError& error);
