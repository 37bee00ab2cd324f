#include "helpers/CConfigUtils.h"

#include <QFile>
#include <QSaveFile>
#include <QtDebug>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rj_app::helpers {

namespace {

std::string toStd(const char *psz)
{
    return psz ? std::string(psz) : std::string();
}

// strtoll gives exactly the automatic base the file format promises
// ("0x" hexadecimal, leading "0" octal); the result is clamped, not wrapped.
int parseInt(const std::string &strValue)
{
    const long long llValue = std::strtoll(strValue.c_str(), nullptr, 0);
    if (llValue > INT_MAX)
        return INT_MAX;
    if (llValue < INT_MIN)
        return INT_MIN;
    return int(llValue);
}

} // namespace

CConfigUtils::CConfigUtils() = default;

CConfigUtils::~CConfigUtils()
{
    if (m_bDirty)
        writeFile();
}

// Only a regular file of sane size is read: a FIFO would block start-up in
// open(), a link to a device such as /dev/zero would never end.
bool CConfigUtils::readWholeFile(std::string *pContent) const
{
    const int fd = ::open(m_strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int iErr = errno;
        qInfo("Can not open config file: %s, err: %d", m_strPath.c_str(), iErr);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > m_iMaxFileBytes) {
        qWarning("Not a regular config file of at most %lld bytes: %s", static_cast<long long>(m_iMaxFileBytes),
                 m_strPath.c_str());
        ::close(fd);
        return false;
    }
    std::string strContent;
    char szBuffer[4096];
    for (;;) {
        const ssize_t iRead = ::read(fd, szBuffer, sizeof(szBuffer));
        if (iRead == 0)
            break;
        if (iRead < 0) {
            if (errno == EINTR)
                continue;
            const int iErr = errno;
            qInfo("Can not read config file: %s, err: %d", m_strPath.c_str(), iErr);
            ::close(fd);
            return false;
        }
        // The file may grow while it is read.
        if (qint64(strContent.size()) + iRead > m_iMaxFileBytes) {
            qWarning("Config file grew past %lld bytes: %s", static_cast<long long>(m_iMaxFileBytes),
                     m_strPath.c_str());
            ::close(fd);
            return false;
        }
        strContent.append(szBuffer, size_t(iRead));
    }
    ::close(fd);
    *pContent = std::move(strContent);
    return true;
}

bool CConfigUtils::load(const char *pszPath)
{
    m_strPath = toStd(pszPath);
    m_sections.clear();
    m_bDirty = false;

    std::string strContent;
    if (!readWholeFile(&strContent))
        return false;

    std::string strSection;
    KeyTable pending;
    size_t uPos = 0;
    while (uPos < strContent.size()) {
        const size_t uEnd = strContent.find('\n', uPos);
        std::string strLine = strContent.substr(uPos, uEnd == std::string::npos ? std::string::npos : uEnd - uPos);
        uPos = uEnd == std::string::npos ? strContent.size() : uEnd + 1;
        // Files edited on Windows end their lines with CR LF.
        if (uEnd != std::string::npos && !strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();

        if (!strLine.empty() && strLine.front() == '[') {
            if (!strSection.empty())
                m_sections[strSection] = std::move(pending);
            const size_t uClose = strLine.find(']');
            if (uClose == std::string::npos)
                return false;
            strSection = strLine.substr(1, uClose - 1);
            pending.clear();
            continue;
        }
        const size_t uEq = strLine.find('=');
        if (uEq != std::string::npos)
            pending[strLine.substr(0, uEq)] = strLine.substr(uEq + 1);
    }
    m_sections[strSection] = std::move(pending);
    return true;
}

bool CConfigUtils::create(const char *pszPath)
{
    m_strPath = toStd(pszPath);
    m_sections.clear();
    m_bDirty = false;

    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(m_strPath)));
    if (m_strPath.empty() || !file.open(QIODevice::WriteOnly))
        return false;
    return file.commit();
}

bool CConfigUtils::save()
{
    if (!m_bDirty)
        return true;
    if (!writeFile())
        return false;
    m_bDirty = false;
    return true;
}

bool CConfigUtils::writeFile()
{
    QByteArray content;
    for (const auto &section : m_sections) {
        if (!section.first.empty()) {
            content += '[';
            content += QByteArray::fromStdString(section.first);
            content += "]\n";
        }
        for (const auto &entry : section.second) {
            content += QByteArray::fromStdString(entry.first);
            content += '=';
            content += QByteArray::fromStdString(entry.second);
            content += '\n';
        }
        content += '\n';
    }

    // A temporary file beside the target, renamed over it on commit: a crash
    // or a concurrent reader never sees a half-written file.
    const QString qstrPath = QFile::decodeName(QByteArray::fromStdString(m_strPath));
    if (qstrPath.isEmpty()) {
        m_qstrError = QStringLiteral("no file");
        return false;
    }
    QSaveFile file(qstrPath);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush();
    if (!ok) {
        m_qstrError = file.errorString(); // cancelling puts its own reason there
        file.cancelWriting();
    } else if (!file.commit()) {
        ok = false;
        m_qstrError = file.errorString();
    }
    if (!ok) {
        qWarning("Can not write config file: %s, %s", m_strPath.c_str(), qPrintable(m_qstrError));
        return false;
    }
    m_qstrError.clear();
    return true;
}

QByteArray CConfigUtils::getString(const char *pszSection, const char *pszKey, const char *pszDefault) const
{
    const auto itSection = m_sections.find(toStd(pszSection));
    if (itSection != m_sections.end()) {
        const auto itKey = itSection->second.find(toStd(pszKey));
        if (itKey != itSection->second.end())
            return QByteArray::fromStdString(itKey->second);
    }
    return QByteArray(pszDefault);
}

int CConfigUtils::getInt(const char *pszSection, const char *pszKey, int iDefault) const
{
    const auto itSection = m_sections.find(toStd(pszSection));
    if (itSection == m_sections.end())
        return iDefault;
    const auto itKey = itSection->second.find(toStd(pszKey));
    if (itKey == itSection->second.end())
        return iDefault;
    return parseInt(itKey->second);
}

bool CConfigUtils::hasKey(const char *pszSection, const char *pszKey) const
{
    const auto itSection = m_sections.find(toStd(pszSection));
    return itSection != m_sections.end() && itSection->second.count(toStd(pszKey)) != 0;
}

void CConfigUtils::setString(const char *pszSection, const char *pszKey, const char *pszValue)
{
    std::string strValue = toStd(pszValue);
    // A line feed would end the line and turn the rest into a line of its own.
    const size_t uLf = strValue.find('\n');
    if (uLf != std::string::npos) {
        qWarning("Value of %s/%s holds a line feed; stored up to it", pszSection ? pszSection : "",
                 pszKey ? pszKey : "");
        strValue.resize(uLf);
    }
    m_sections[toStd(pszSection)][toStd(pszKey)] = std::move(strValue);
    m_bDirty = true;
}

void CConfigUtils::setInt(const char *pszSection, const char *pszKey, int iValue)
{
    setString(pszSection, pszKey, QByteArray::number(iValue).constData());
}

} // namespace rj_app::helpers
