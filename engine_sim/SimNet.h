#pragma once

#include <string>

namespace rjsim {

enum class Reach { Connected, Unresolved, Unreachable };

// Opens a TCP connection to host:port and closes it again, waiting at most
// timeoutMs. Names under ".invalid" never resolve (and are not looked up).
Reach probeServer(const std::string &host, unsigned int port, int timeoutMs);

// True when the host name can be looked up without asking the network.
bool isReservedInvalidName(const std::string &host);

} // namespace rjsim
