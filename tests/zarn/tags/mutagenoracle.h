#pragma once
// Runs mutagen_oracle.py, the independent reader and writer of the tag tests.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace oracle {

inline QString Python() {
    // The system's interpreter carries the distribution's mutagen package.
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFile::exists(system) ? system : QStringLiteral("python3");
}

// Fails the test (never skips it) when python3 or mutagen is missing.
inline QByteArray Run(const QStringList& args) {
    QProcess process;
    process.start(Python(), QStringList{QStringLiteral(ZARN_MUTAGEN_ORACLE)} + args);
    const bool finished = process.waitForFinished(60000);
    const QByteArray err = process.readAllStandardError();
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << "the mutagen oracle (python3, python3-mutagen) failed: " << err.constData();
    return process.readAllStandardOutput();
}

inline QJsonObject RunJson(const QStringList& args) {
    const QJsonDocument doc = QJsonDocument::fromJson(Run(args));
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

// The ID3v2 texts and ID3v1 fields as mutagen reads them.
inline QJsonObject Read(const QString& path) {
    return RunJson({QStringLiteral("read"), path});
}

// Every frame as mutagen reads it ("version", "frames"); empty when mutagen reads no tag.
inline QJsonObject Dump(const QString& path) {
    return RunJson({QStringLiteral("dump"), path});
}

// Tags `path` as ID3v2.`version` from frames given as JSON [id, {attributes}] (see the script).
inline void Build(const QString& path, int version, const QByteArray& framesJson) {
    Run({QStringLiteral("build"), path, QString::number(version), QString::fromUtf8(framesJson)});
}

inline QString Compact(const QJsonValue& value) {
    const QJsonDocument doc =
        value.isObject() ? QJsonDocument(value.toObject()) : QJsonDocument(QJsonArray{value});
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}

}  // namespace oracle
