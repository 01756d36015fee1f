#pragma once
// --set --dry-run and --fix --dry-run: every field the command would change in each file, one
// line each on the output ("PATH<tab>FIELD<tab>OLD<tab>NEW", FIELD as "v1.title", "v2.composer"
// or "tags" for the tag versions a file has); a file that would stay as it is gets no line.
// The records are those the command itself would write; no file is opened for writing.
#include <QStringList>

class BatchReport;
struct BatchSettings;
struct Options;
struct PanelValues;

void PreviewSet(const QStringList& files, const PanelValues& values, const Options& options,
                BatchReport& report);
void PreviewFix(const QStringList& files, bool v1, bool v2, const BatchSettings& settings,
                BatchReport& report);
