#include "zarn/shell/fileerror.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "zarn/shell/prompter.h"

FileError FileErrorOf(const QFileDevice& file) {
    FileError error;
    switch (file.error()) {
        case QFileDevice::OpenError:
            error.number =
                QFileInfo::exists(file.fileName()) ? kErrPermissionDenied : kErrFileNotFound;
            break;
        case QFileDevice::PermissionsError:
            error.number = kErrPermissionDenied;
            break;
        case QFileDevice::ResourceError:
            error.number = kErrDiskFull;
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

namespace {

int NumberOfSystemError(int errnum) {
    switch (errnum) {
        case ENOENT:
            return kErrFileNotFound;
        case ENOTDIR:
            return kErrPathNotFound;
        case ENAMETOOLONG:
            return kErrBadFileName;
        case EACCES:
        case EPERM:
        case EBUSY:
        case ETXTBSY:
            return kErrPermissionDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kErrDiskFull;
        case EIO:
            return kErrDeviceIO;
        case EMFILE:
        case ENFILE:
            return kErrTooManyFiles;
        case ENXIO:
        case ENODEV:
            return kErrDeviceUnavailable;
        case EINVAL:
        case ESPIPE:
            return kErrBadRecordNumber;
        default:  // EROFS, EISDIR and the rest: the path cannot be used this way
            return kErrPathFileAccess;
    }
}

}  // namespace

FileError SystemFileError(int errnum) {
    return {NumberOfSystemError(errnum), QString::fromLocal8Bit(std::strerror(errnum)), errnum};
}

QString ErrorMessageText(const FileError& error) {
    QString text = QStringLiteral("Error: %1\n%2").arg(error.number).arg(error.description);
    if (!error.path.isEmpty())
        text += QStringLiteral("\n\nFile: ") + QDir::toNativeSeparators(error.path);
    return text;
}

FileError ChangedMeanwhileError(const QString& path) {
    return {kErrPathFileAccess,
            QStringLiteral("The file was changed, replaced or removed by another program while "
                           "Zarn was working on it; it was left as the other program left it."),
            0, path};
}

void ReportFileError(Prompter* prompter, const FileError& error) {
    if (prompter) prompter->critical(QStringLiteral("Zarn"), ErrorMessageText(error));
}
