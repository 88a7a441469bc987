// A report of captions and values in framed groups, under a title: the form
// the calculators print their inputs and results in.
#pragma once

#include <string>
#include <vector>

#include "reports/report.h"

namespace quintara::reports {

struct LabelledRow {
    std::string caption;
    std::string value;
};

struct LabelledGroup {
    std::string title;
    std::vector<LabelledRow> rows;
};

struct LabelledReport {
    std::string title;
    std::string subtitle;  // under the title; may be empty
    std::vector<LabelledGroup> groups;
    std::string printedAt;  // "dd/mm/yyyy hh:mm:ss"; empty = now
};

ReportLayout labelledGroupsLayout(const LabelledReport& report);

// Splits text into lines of at most `width` characters at blanks (a word
// longer than the width stays whole on a line of its own).
std::vector<std::string> wrapWords(const std::string& text, std::size_t width);

}  // namespace quintara::reports
