#include "framework/debug/CrashReportForm.h"

#include "framework/util/StringHelpers.h"

namespace Vuro {

namespace {

constexpr const char* kBoundary = "---------------------------7d3e1f30eec";

void AppendPart(std::string& body, const std::string& name, const std::string& value) {
    body += std::string("--") + kBoundary + "\r\nContent-Disposition: form-data; name=\"" + name +
            "\"\r\n\r\n" + value + "\r\n";
}

} // namespace

std::string BuildCrashReportBody(const CrashReportForm& form) {
    std::string body;
    for (const auto& [name, value] : form.extraFields) {
        AppendPart(body, name, value);
    }
    AppendPart(body, "prod", form.product);
    AppendPart(body, "version", form.version);
    AppendPart(body, "usertext", form.userText);
    AppendPart(body, "errortitle", form.errorTitle);
    AppendPart(body, "errortext", form.errorText);
    if (form.hasAttachment) {
        body += std::string("--") + kBoundary +
                "\r\nContent-Disposition: form-data; name=\"demofile\"; "
                "filename=\"quorix.dmo\"\r\nContent-Type: application/octet-stream\r\n\r\n" +
                form.attachment + "\r\n";
    }
    body += std::string("--") + kBoundary + "--\r\n";
    return body;
}

std::string BuildCrashReportRequest(const std::string& host, const std::string& body) {
    return std::string("POST /velmar_error.php HTTP/1.1\r\nContent-Type: multipart/form-data; "
                       "boundary=") +
           kBoundary + "\r\nUser-Agent: Mozilla/4.0 (compatible; quorix)\r\nHost: " + host +
           "\r\nContent-Length: " + StrFormat("%zu", body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace Vuro
