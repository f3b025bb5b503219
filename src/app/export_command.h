// `corvane export`: writes the grade book without a screen, as text or PDF, or
// its grades as a CSV table or an Excel workbook.
#pragma once

namespace corvane {

// argv[1] is "export"; returns the process exit status.
int RunExport(int argc, char** argv);

}  // namespace corvane
