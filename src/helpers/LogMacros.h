#pragma once

// GCC's __FUNCTION__ gives only "hangUp"; log lines name the function the way
// a reader searches for it, "rj_app::models::CRJSdkManager::hangUp".

#include <QByteArray>

namespace rj_app {
namespace helpers {

// Reduces a __PRETTY_FUNCTION__ text ("static bool ns::Class::method(int)
// const") to the qualified name ("ns::Class::method").
inline QByteArray qualifiedFunctionName(const char *prettyFunction)
{
    QByteArray name(prettyFunction);
    // The parameter list starts at the first '(' outside template brackets.
    int depth = 0;
    int end = -1;
    for (int i = 0; i < name.size(); ++i) {
        const char c = name.at(i);
        if (c == '<') {
            ++depth;
        } else if (c == '>') {
            --depth;
        } else if (c == '(' && depth == 0) {
            // "operator()" keeps its own parentheses.
            if (name.mid(0, i).endsWith("operator") && i + 1 < name.size() && name.at(i + 1) == ')') {
                ++i;
                continue;
            }
            end = i;
            break;
        }
    }
    if (end >= 0)
        name.truncate(end);
    // The return type ends at the last space outside template brackets.
    depth = 0;
    for (int i = name.size() - 1; i >= 0; --i) {
        const char c = name.at(i);
        if (c == '>') {
            ++depth;
        } else if (c == '<') {
            --depth;
        } else if (c == ' ' && depth == 0) {
            return name.mid(i + 1);
        }
    }
    return name;
}

} // namespace helpers
} // namespace rj_app

// The qualified name of the enclosing function as a const char*, valid until
// the end of the full expression (one log statement).
#define RJ_FUNCTION (::rj_app::helpers::qualifiedFunctionName(__PRETTY_FUNCTION__).constData())
