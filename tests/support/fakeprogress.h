#pragma once
// A Progress that records the steps of a run and requests a stop after a given number of files.
#include <QList>

#include "zarn/shell/progress.h"

class FakeProgress : public Progress {
  public:
    void atFile(const ProgressStep& step) override { steps << step; }
    void yield() override { ++yields; }
    bool stopRequested() const override { return stopAfter >= 0 && steps.size() >= stopAfter; }

    int stopAfter = -1;  // files after which a stop is requested; -1 never
    QList<ProgressStep> steps;
    int yields = 0;
};
