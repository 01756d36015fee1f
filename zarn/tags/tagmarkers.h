#pragma once
// Quick checks for the tag signatures, used to select the rows whose files carry a tag.
#include <QString>

enum class TagMark { Missing, Absent, Present };

// "TAG" in the three bytes that begin 128 bytes before the end.
TagMark ID3v1Mark(const QString& path);
// "ID3" in the first three bytes.
TagMark ID3v2Mark(const QString& path);
