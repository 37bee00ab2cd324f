#pragma once

// Logs go into feedback archives: tokens and passwords never appear in them
// in clear. These give a log line enough to tell two values apart.

#include <QString>

#include <string>

namespace rj_app {
namespace models {

// A password as "<hidden, 8 chars>": a meeting password is often a few
// digits, so none of it is shown. Empty stays empty.
inline std::string hiddenSecret(const std::string &secret)
{
    return secret.empty() ? std::string() : "<hidden, " + std::to_string(secret.size()) + " chars>";
}

// A token as "sim-...(11 chars)": the first 4 characters of a long one only.
inline std::string maskedToken(const std::string &token)
{
    if (token.empty())
        return std::string();
    const std::string head = token.size() >= 12 ? token.substr(0, 4) : std::string();
    return head + "...(" + std::to_string(token.size()) + " chars)";
}

// A dial string "number*password@server" with the password (from the first
// "*" to the last "@" after it, or to the end) hidden.
inline std::string maskedDialString(const std::string &dial)
{
    const std::string::size_type star = dial.find('*');
    if (star == std::string::npos)
        return dial;
    const std::string::size_type at = dial.rfind('@');
    const std::string::size_type end = at != std::string::npos && at > star ? at : dial.size();
    return dial.substr(0, star + 1) + "***" + dial.substr(end);
}

// The same for C strings (a null pointer counts as empty) and Qt strings.
inline std::string hiddenSecret(const char *secret)
{
    return hiddenSecret(std::string(secret ? secret : ""));
}
inline std::string maskedToken(const char *token)
{
    return maskedToken(std::string(token ? token : ""));
}
inline std::string maskedDialString(const char *dial)
{
    return maskedDialString(std::string(dial ? dial : ""));
}
inline QString hiddenSecret(const QString &secret)
{
    return QString::fromStdString(hiddenSecret(secret.toStdString()));
}
inline QString maskedToken(const QString &token)
{
    return QString::fromStdString(maskedToken(token.toStdString()));
}
inline QString maskedDialString(const QString &dial)
{
    return QString::fromStdString(maskedDialString(dial.toStdString()));
}

} // namespace models
} // namespace rj_app
