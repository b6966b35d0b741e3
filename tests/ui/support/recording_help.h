#pragma once
// A help service for tests: records the help contexts asked for, and
// installs itself for its lifetime.

#include "ui/help_service.h"

#include <vector>

class RecordingHelp : public THelpService {
public:
    void ShowHelp(QWidget*, int helpContext) override { contexts.push_back(helpContext); }
    std::vector<int> contexts;

private:
    TScopedHelpService installed_{*this};
};
