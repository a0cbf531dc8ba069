#pragma once

#include <string>
#include <vector>

// `orvanta-lesson explain EXPECTED TYPED [PREEDIT]`: the kind of mistake and
// its detail, one line.
int explainCommand(const std::vector<std::string>& arguments);

extern const char* const kExplainUsage;
