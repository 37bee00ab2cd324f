#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

namespace glimora::test {

// Finds the resource paths that the client's sources build, by reading them:
// every ":/resources/..." literal, the names concatenated onto it or onto a
// constant holding it ("+", ".arg" placeholders), with the literals of the
// file and of the headers it includes as the candidate pieces, so that names
// built with scale suffixes ("-1.5x", "@2x", "_1x.png", ...) are found at
// every scale.
class ResourceReferences
{
public:
    struct Reference
    {
        QString where;           // "file:line"
        QString pattern;         // as built, holes shown as "*"
        QStringList resolved;    // existing resources it builds
        QStringList problems;    // what is missing
    };

    // sourceRoot: the src/ directory; resources: every file under ":/resources".
    ResourceReferences(const QString &sourceRoot, const QStringList &resources);

    QVector<Reference> scan() const;
    int filesRead() const { return m_iFiles; }

    // stem + separator + "1.5x" / "2x" + ext exist, and so does the picture
    // for scale 1 (stem + ext, or stem + separator + "1x" + ext).
    static bool completeFamily(const QString &stem, const QString &separator, const QString &ext,
                               const QSet<QString> &resources);

private:
    struct Piece
    {
        bool hole = false;
        QString text;
    };
    struct Source
    {
        QString path;
        QString code;                 // comments blanked, literals kept
        QStringList literals;         // every literal value
        QVector<int> literalStarts;   // offset of each literal's opening quote
        QVector<int> literalEnds;     // offset after its closing quote
    };

    Source read(const QString &path) const;
    QStringList vocabulary(const Source &source) const;
    QVector<QVector<Piece>> expressions(const Source &source, QVector<int> *offsets) const;
    void expand(const QVector<Piece> &pieces, int index, const QString &prefix, bool plainAtScale,
                const QStringList &fillers, QStringList *out, QVector<bool> *plain) const;
    bool isPrefixOfResource(const QString &prefix) const;
    Reference check(const QString &where, const QVector<Piece> &pieces, const QStringList &fillers) const;

    QString m_qstrRoot;
    QStringList m_sorted;
    QSet<QString> m_resources;
    mutable QStringList m_completions; // scale suffixes with extension, project-wide
    mutable int m_iFiles = 0;
};

} // namespace glimora::test
