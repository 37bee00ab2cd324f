#pragma once

#include <QMap>
#include <QObject>
#include <QString>

#include <memory>

class QTranslator;

namespace rj_app::models {

// Installs the interface translation, remembers the choice in the user
// configuration and tells every window to retranslate itself.
// GUI thread only.
class CLinguist : public QObject
{
    Q_OBJECT
public:
    enum Language : int {
        UNDEFINED = 0,
        EN_US = 1,
        ZH_CN = 2,
    };
    Q_ENUM(Language)

    static CLinguist *getInstance();

    // The application uses getInstance(); tests build their own.
    explicit CLinguist(QObject *parent = nullptr);
    ~CLinguist() override;

    // Switches to the given language. On success the translation is
    // installed, the choice stored and sigLanguageChanged() emitted; when the
    // translation cannot be loaded the current one stays and nothing changes.
    void changeLanguage(Language language);

    // Applies the stored language, or the default locale's when none is stored.
    void loadConfigLanguage();
    // The language loadConfigLanguage applies.
    static Language storedLanguage();

    Language getLanguage() const;

    // Where the "lang_<flag>.qm" files are read from; by default the
    // "translations" directory beside the executable.
    void setTranslationDir(const QString &dir);
    QString translationDir() const;

signals:
    void sigLanguageChanged();

private:
    static Language getLanguageByLocale();

    Language m_eLanguage = UNDEFINED;
    std::unique_ptr<QTranslator> m_pTranslator;
    QMap<Language, QString> m_mapLanguageFlags;
    QString m_qstrTranslationDir;
};

} // namespace rj_app::models
