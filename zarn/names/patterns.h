#pragma once
// The name pattern language: placeholders such as "%artist" stand for tag fields, everything else
// is literal separator text. This file takes field values back out of an existing name.
#include <QString>

struct Options;

// The value of `field` ("artist", "title", ... in any case) in the file name or path `path`, read
// by the input pattern `pattern`. Never fails: whatever cannot be matched gives empty text. Uses
// the extension and "%20"/underscore options of `options`.
QString GetFieldFromName(const QString& path, const QString& field, const QString& pattern,
                         const Options& options);
