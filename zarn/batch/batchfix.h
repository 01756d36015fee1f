#pragma once
// --fix: "Fix ID3" of the window, file by file, with the saved options and input pattern.
#include <QStringList>

class BatchReport;
struct BatchSettings;

// `v1`, `v2`: the versions named; each is then also added where a file lacks it. A version not
// named is fixed in the files that have it.
void FixFiles(const QStringList& files, bool v1, bool v2, const BatchSettings& settings,
              BatchReport& report);
