// `corvane compare OLD.csv NEW.csv -o OUT`: what changed between two revisions
// of a report, without a screen, as a changes book (text or PDF) or as rows
// (CSV or an Excel workbook).
#pragma once

namespace corvane {

// argv[1] is "compare"; returns the process exit status: 0 no change, 3
// changes found, 1 a run that stopped, 2 a wrong command line.
int RunCompare(int argc, char** argv);

}  // namespace corvane
