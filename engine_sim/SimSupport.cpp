#include "SimSupport.h"

#include <cstdio>
#include <cstdlib>
#include <locale>
#include <sstream>

using namespace rj::engine;

namespace rjsim {

std::string str(const char *text)
{
    return text ? std::string(text) : std::string();
}

std::string flag(bool value)
{
    return value ? "1" : "0";
}

std::string ptr(const void *p)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%p", p);
    return buffer;
}

std::string fmt(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "%.*f", decimals, value);
    return buffer;
}

std::string pathJoin(const std::string &dir, const std::string &name)
{
    if (dir.empty())
        return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

RJError makeError(int type, const std::string &action, int code, const std::string &msg)
{
    RJError e;
    e.type = type;
    e.action = action;
    e.code = code;
    e.msg = msg;
    return e;
}

const char *deviceKindName(int type)
{
    switch (type) {
    case RJ_DEVICE_MIC:
        return "mic";
    case RJ_DEVICE_SPEAKER:
        return "speaker";
    default:
        return "camera";
    }
}

bool validDeviceType(int type)
{
    return type >= RJ_DEVICE_MIC && type <= RJ_DEVICE_CAMERA;
}

std::vector<std::string> tokens(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    std::string t;
    while (in >> t)
        out.push_back(t);
    return out;
}

bool toInt(const std::string &text, int *value)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -2147483647L - 1 || v > 2147483647L)
        return false;
    *value = static_cast<int>(v);
    return true;
}

bool toFloat(const std::string &text, float *value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    if (!(in >> v) || !in.eof() || v != v)
        return false;
    *value = static_cast<float>(v);
    return true;
}

std::string joinFrom(const std::vector<std::string> &t, std::size_t from)
{
    std::string out;
    for (std::size_t i = from; i < t.size(); ++i) {
        if (!out.empty())
            out += ' ';
        out += t[i];
    }
    return out;
}

std::uint32_t seedOf(const std::string &text)
{
    std::uint32_t h = 2166136261u;
    for (char c : text)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

} // namespace rjsim
