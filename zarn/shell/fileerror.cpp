#include "zarn/shell/fileerror.h"

#include <QFileInfo>

#include "zarn/shell/prompter.h"

FileError FileErrorOf(const QFileDevice& file) {
    FileError error;
    switch (file.error()) {
        case QFileDevice::OpenError:
            error.number = QFileInfo::exists(file.fileName()) ? kErrPermissionDenied : kErrFileNotFound;
            break;
        case QFileDevice::PermissionsError:
            error.number = kErrPermissionDenied;
            break;
        case QFileDevice::ReadError:
        case QFileDevice::WriteError:
        case QFileDevice::ResizeError:
            error.number = kErrDeviceIO;
            break;
        case QFileDevice::PositionError:
            error.number = kErrBadRecordNumber;
            break;
        default:
            error.number = kErrPathFileAccess;
            break;
    }
    error.description = file.errorString();
    return error;
}

QString ErrorMessageText(const FileError& error) {
    return QStringLiteral("Error: %1\n%2").arg(error.number).arg(error.description);
}

void ReportFileError(Prompter* prompter, const FileError& error) {
    if (prompter) prompter->critical(QStringLiteral("Zarn"), ErrorMessageText(error));
}
