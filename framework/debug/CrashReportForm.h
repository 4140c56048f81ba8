#pragma once
// The crash upload as bytes: the multipart form the report server reads, and the HTTP/1.1
// POST that carries it to "/velmar_error.php". Fields come in a fixed order: the
// application's extra fields by name, then prod, version, usertext, errortitle, errortext, and
// the attached file as "demofile" when there is one.

#include <map>
#include <string>

namespace Vuro {

struct CrashReportForm {
    std::map<std::string, std::string> extraFields; // name to value, sent in name order
    std::string product;
    std::string version;
    std::string userText;
    std::string errorTitle;
    std::string errorText;
    bool hasAttachment = false;
    std::string attachment; // the attached file's bytes
};

std::string BuildCrashReportBody(const CrashReportForm& form);
std::string BuildCrashReportRequest(const std::string& host, const std::string& body);

} // namespace Vuro
