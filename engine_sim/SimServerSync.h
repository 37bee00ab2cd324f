#pragma once

#include <cstdint>
#include <string>

namespace rjsim {

// A change of the signed-in user's own profile, for the management server
// the engine is signed in to.
struct ProfileChange {
    enum class Kind { DisplayName, Picture };
    Kind kind = Kind::DisplayName;
    std::string host;
    unsigned int port = 0;
    bool secure = false; // HTTPS, as the session signed in
    std::string token;
    std::uint64_t userId = 0;
    std::string value; // the new name, or the picture file's bytes
};

// Passes the change on to the server, as the service keeps names and
// pictures there: PATCH /api/rest/v2.0/users/<id> {"displayName"} or
// PUT /api/rest/v2.0/users/<id>/avatar with the picture. Best effort: one
// background thread of the process sends, so neither the caller nor the
// engine's thread waits for the network, and a server that does not answer
// (or is no management server) changes nothing in the engine. A change still
// waiting is replaced by a newer one of the same kind.
void forwardProfileChange(ProfileChange change);

} // namespace rjsim
