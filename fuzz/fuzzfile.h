#pragma once
// The readers take paths, so each input becomes the content of one scratch file.
#include <QString>

#include <cstddef>
#include <cstdint>

// Writes the input to this process's scratch file and returns its path.
QString WriteFuzzFile(const uint8_t* data, size_t size);
// The same under another name in the same scratch folder (a playlist needs its extension).
QString WriteFuzzFile(const uint8_t* data, size_t size, const QString& name);
// The scratch folder.
QString FuzzFolder();
// Where the journal of the writers goes while fuzzing.
QString FuzzStateFolder();
