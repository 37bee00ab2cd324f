#pragma once

#include <string>

namespace rjsim {

enum class Reach { Connected, Unresolved, Unreachable };

// Opens a TCP connection to host:port and closes it again, waiting at most
// timeoutMs. Names under ".invalid" never resolve (and are not looked up).
Reach probeServer(const std::string &host, unsigned int port, int timeoutMs);

// Asks the management server at host:port for its version over HTTPS
// (secure) or HTTP, as a sign-in does first. Any HTTP answer counts as
// reached; a refused connection, the other scheme, or no answer within
// timeoutMs (per step: connect, send, receive) is Unreachable. The
// certificate is not checked: only whether the server answers matters here.
Reach askServer(const std::string &host, unsigned int port, bool secure, int timeoutMs);

// True when the host name can be looked up without asking the network.
bool isReservedInvalidName(const std::string &host);

} // namespace rjsim
