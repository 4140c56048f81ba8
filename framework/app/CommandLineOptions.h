#pragma once
// Command-line options that another part of the program passes when it starts this program
// again, kept beside the parser that reads them.

namespace Vuro {

// The option that starts the program in its report-only mode (followed by '=' and the id of the
// crashed process), and the one (followed by '=' and a file name) that names a file to send
// with the report.
inline constexpr const char* kCrashReportOption = "-crashreport";
inline constexpr const char* kCrashAttachOption = "-crashattach";

} // namespace Vuro
