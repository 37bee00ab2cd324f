#pragma once

// Small pieces every part of the simulated engine uses: result codes, world
// delays and the text helpers of journal lines and control commands.

#include "engine/RJTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace rjsim {

// Engine result codes (the client's prompt tables know them).
inline constexpr int kOk = 0;
inline constexpr int kRefused = 1;        // the operation is not possible now
inline constexpr int kNotInitialized = 2; // after release()
inline constexpr int kNotInConference = 4;
inline constexpr int kBadParameter = 5;
inline constexpr int kInternal = 7;
inline constexpr int kUnreachable = 8;
inline constexpr int kFeatureAlternateOk = 9;
inline constexpr int kNotLoggedIn = 13;
inline constexpr int kUnresolved = 16;
inline constexpr int kWrongOldPassword = 2001;
inline constexpr int kPolicyViolation = 6600;
inline constexpr int kSipWrongPassword = 4106;

// RJContentInfo::status of a share the meeting refused.
inline constexpr int kContentDenied = 3;

// World delays, in world milliseconds (stretched by the time scale).
inline constexpr int kContentEventDelayMs = 100;
inline constexpr int kHangUpDelayMs = 200;
inline constexpr int kQualityPeriodMs = 5000;
inline constexpr int kIncomingTimeoutMs = 30000;
inline constexpr int kHostAnswerDelayMs = 2000; // the host unmutes on request
// Real milliseconds between two looks at the control file.
inline constexpr int kControlPollMs = 500;

std::string str(const char *text);
std::string flag(bool value);
template<typename T>
std::string num(T value)
{
    return std::to_string(value);
}
std::string ptr(const void *p);
std::string fmt(double value, int decimals);
std::string pathJoin(const std::string &dir, const std::string &name);
rj::engine::RJError makeError(int type, const std::string &action, int code, const std::string &msg);

const char *deviceKindName(int type);
bool validDeviceType(int type);

std::vector<std::string> tokens(const std::string &line);
bool toInt(const std::string &text, int *value);
bool toFloat(const std::string &text, float *value);
std::string joinFrom(const std::vector<std::string> &t, std::size_t from);
std::uint32_t seedOf(const std::string &text);

// Login form (encryptPassword types 0 and 1) back to plain text; false when
// the text is not a login form of this engine (SimPasswords.cpp).
bool decodeLoginForm(const std::string &text, std::string *plain);

} // namespace rjsim
