// Feedback archive uploads.

#include "SimEngine.h"

#include "SimNet.h"
#include "SimSupport.h"

#include <cstdlib>
#include <fstream>

#include <sys/stat.h>

using namespace rj::engine;

namespace rjsim {

// ---------------------------------------------------------------------------
// Feedback

namespace {

// "scheme://host[:port]/path" or "host[:port]"; false when no host is given.
bool parseAddress(const std::string &address, std::string *host, unsigned int *port)
{
    std::string rest = address;
    unsigned int defaultPort = 80;
    const auto scheme = rest.find("://");
    if (scheme != std::string::npos) {
        if (rest.compare(0, scheme, "https") == 0)
            defaultPort = 443;
        rest = rest.substr(scheme + 3);
    }
    rest = rest.substr(0, rest.find('/'));
    const auto colon = rest.rfind(':');
    *port = defaultPort;
    if (colon != std::string::npos && rest.find(']') == std::string::npos) {
        int p = 0;
        if (!toInt(rest.substr(colon + 1), &p) || p <= 0 || p > 65535)
            return false;
        *port = static_cast<unsigned int>(p);
        rest = rest.substr(0, colon);
    }
    *host = rest;
    return !rest.empty();
}

bool readableFile(const std::string &path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

} // namespace

int SimEngine::uploadFeedbackfile(const std::vector<std::string> &files, const char *contact, const char *description)
{
    return uploadFeedbackFilesWithAddress(files, contact, description, nullptr);
}

int SimEngine::uploadFeedbackFilesWithAddress(const std::vector<std::string> &files, const char *contact,
                                              const char *description, const char *address)
{
    std::vector<std::string> args;
    std::string fileList;
    for (const std::string &f : files)
        fileList += (fileList.empty() ? "" : ";") + f;
    args = {fileList, str(contact), str(description)};
    if (address)
        args.push_back(str(address));
    const char *operation = address ? "uploadFeedbackFilesWithAddress" : "uploadFeedbackfile";
    // The client waits for the outcome event only, so every refusal sends one.
    auto fail = [this](int result, int event) {
        later(100, [event](Events &events) {
            events.push_back({"onUploadFeedback", [event](IAVEventHandler &h) { h.onUploadFeedback(event); }});
        });
        return result;
    };
    const Forced forced = enter(operation, std::move(args));
    if (forced.refused)
        return fail(forced.code, -std::abs(forced.code));
    if (files.empty())
        return forced.done(fail(kBadParameter, -1));
    bool allReadable = true;
    for (const std::string &f : files)
        allReadable = allReadable && readableFile(f);
    if (!allReadable)
        return fail(kOk, -1);
    if (address && *address) {
        std::string host;
        unsigned int port = 0;
        if (!parseAddress(str(address), &host, &port))
            return fail(kOk, -3);
        if (!forced.zero && probeServer(host, port, world::kProbeTimeoutMs) != Reach::Connected)
            return fail(kOk, -2);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::uint64_t upload = ++m_feedbackCounter;
    (void)upload;
    int step = 0;
    for (int progress : {10, 35, 60, 85, 100}) {
        later(150 * ++step, [progress](Events &events) {
            events.push_back(
                {"onUploadFeedback", [progress](IAVEventHandler &h) { h.onUploadFeedback(progress); }});
        });
    }
    return forced.done(kOk);
}

} // namespace rjsim
