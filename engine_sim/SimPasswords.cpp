// Password forms, the password policy and password changes.

#include "SimEngine.h"

#include "SimSupport.h"

#include <QByteArray>

using namespace rj::engine;

namespace rjsim {

namespace {

// The login form (types 0 and 1), the stored form (type 2 with a key) and the
// change form are all reversible by this engine and by nobody else; each
// carries a prefix so that a plain text is never mistaken for one.
std::string keystreamXor(const std::string &data, const std::string &key)
{
    std::string out = data;
    std::uint32_t h = 2166136261u;
    for (char c : key)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    for (std::size_t i = 0; i < out.size(); ++i) {
        h = (h ^ static_cast<std::uint32_t>(i & 0xff)) * 16777619u;
        out[i] = static_cast<char>(out[i] ^ static_cast<char>((h >> 13) & 0xff));
    }
    return out;
}

std::string toBase64(const std::string &data)
{
    return QByteArray(data.data(), static_cast<int>(data.size())).toBase64().toStdString();
}

bool fromBase64(const std::string &text, std::string *data)
{
    const auto result = QByteArray::fromBase64Encoding(QByteArray(text.data(), static_cast<int>(text.size())),
                                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return false;
    data->assign(result.decoded.constData(), static_cast<std::size_t>(result.decoded.size()));
    return true;
}

constexpr const char *kLoginKey = "rjsim-login";
constexpr const char *kChangeKey = "rjsim-change";
constexpr const char *kStoredMagic = "RJ2:";

bool startsWith(const std::string &text, const std::string &head)
{
    return text.compare(0, head.size(), head) == 0;
}

bool decodeChangeForm(const std::string &text, std::string *plain)
{
    std::string data;
    if (!startsWith(text, "rjt:") || !fromBase64(text.substr(4), &data))
        return false;
    *plain = keystreamXor(data, kChangeKey);
    return true;
}

} // namespace

bool decodeLoginForm(const std::string &text, std::string *plain)
{
    std::string data;
    if (startsWith(text, "rjp0:"))
        return fromBase64(text.substr(5), plain);
    if (startsWith(text, "rjp1:") && fromBase64(text.substr(5), &data)) {
        *plain = keystreamXor(data, kLoginKey);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Passwords

std::string SimEngine::encryptPassword(int type, const char *plain, const char *key)
{
    note("encryptPassword", {num(type), str(plain), str(key)});
    const std::string text = str(plain);
    if (type == 2) {
        if (str(key).empty())
            return std::string();
        return "rjs2:" + toBase64(keystreamXor(kStoredMagic + text, str(key)));
    }
    return encryptPassword(type, plain);
}

std::string SimEngine::encryptPassword(int type, const char *plain)
{
    note("encryptPassword", {num(type), str(plain)});
    const std::string text = str(plain);
    switch (type) {
    case 0:
        return "rjp0:" + toBase64(text);
    case 1:
        return "rjp1:" + toBase64(keystreamXor(text, kLoginKey));
    default:
        return std::string();
    }
}

std::string SimEngine::transformPassword(const char *password)
{
    note("transformPassword", {str(password)});
    return "rjt:" + toBase64(keystreamXor(str(password), kChangeKey));
}

std::string SimEngine::descryptPassword(int type, const char *cipher, const char *key, const char *iv)
{
    note("descryptPassword", {num(type), str(cipher), str(key), str(iv)});
    const std::string text = str(cipher);
    std::string data;
    if (type == 2) {
        if (!startsWith(text, "rjs2:") || str(key).empty() || !fromBase64(text.substr(5), &data))
            return std::string();
        const std::string plain = keystreamXor(data, str(key));
        // A wrong key gives noise; the magic tells it apart from a password.
        if (!startsWith(plain, kStoredMagic))
            return std::string();
        return plain.substr(std::string(kStoredMagic).size());
    }
    std::string plain;
    if ((type == 0 || type == 1) && decodeLoginForm(text, &plain))
        return plain;
    return std::string();
}

int SimEngine::validatePassword(const char *password)
{
    const Forced forced = enter("validatePassword", {str(password)});
    if (forced.refused)
        return forced.code;
    return forced.done(world::passwordFollowsPolicy(str(password)) ? kOk : kPolicyViolation);
}

RJPasswordPolicy SimEngine::getPasswordPolicy()
{
    note("getPasswordPolicy", {});
    RJPasswordPolicy policy;
    policy.minLength = world::kPasswordMinLength;
    policy.maxLength = world::kPasswordMaxLength;
    policy.typeCount = world::kPasswordTypeCount;
    policy.specialChars = world::kPasswordSpecials;
    return policy;
}

int SimEngine::changePassword(const char *old_password, const char *new_password)
{
    const Forced forced = enter("changePassword", {str(old_password), str(new_password)});
    if (forced.refused)
        return forced.code;
    std::string oldPlain, newPlain;
    if (!decodeChangeForm(str(old_password), &oldPlain) || !decodeChangeForm(str(new_password), &newPlain))
        return forced.done(kBadParameter);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_session.loggedIn)
        return forced.done(kNotLoggedIn);
    if (m_passwords[m_session.user] != oldPlain)
        return forced.done(kWrongOldPassword);
    if (!world::passwordFollowsPolicy(newPlain))
        return forced.done(kPolicyViolation);
    m_passwords[m_session.user] = newPlain;
    m_mustChange[m_session.user] = false;
    m_session.info.mustChangePasswd = false;
    m_session.info.everChangedPasswd = true;
    return forced.done(kOk);
}

} // namespace rjsim
