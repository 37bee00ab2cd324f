#include "ResourceReferences.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace glimora::test {

namespace {

const QString kRoot = QStringLiteral(":/resources/");

// A scale suffix on its own ("-1.5x", "@2x", "_1x") or with an extension ("_1x.png").
const QRegularExpression &scaleWord()
{
    static const QRegularExpression re(QStringLiteral("^[-_@](1|1\\.5|2)x(\\.\\w+)?$"));
    return re;
}

// A name ending in a scale suffix: stem, separator, scale, extension.
const QRegularExpression &suffixedName()
{
    static const QRegularExpression re(QStringLiteral("^(.*?)([-_@])(1|1\\.5|2)x(\\.\\w+)$"));
    return re;
}

bool hasScaleSuffix(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("[-_@](1|1\\.5|2)x(\\.\\w+)?$"));
    return re.match(text).hasMatch();
}

bool hasExtension(const QString &path)
{
    static const QRegularExpression re(QStringLiteral("\\.(png|jpg|gif|qss|svg|wav)$"));
    return re.match(path).hasMatch();
}

// Pieces of a name: letters, digits and the few signs names use.
bool isNameLike(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_.@%\\-]{1,80}$"));
    return re.match(text).hasMatch();
}

const char *const kWrappers[] = {"QStringLiteral", "QLatin1String", "QString", "QLatin1Literal"};

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

ResourceReferences::ResourceReferences(const QString &sourceRoot, const QStringList &resources)
    : m_qstrRoot(sourceRoot)
    , m_sorted(resources)
    , m_resources(QSet<QString>(resources.begin(), resources.end()))
{
    std::sort(m_sorted.begin(), m_sorted.end());
}

bool ResourceReferences::completeFamily(const QString &stem, const QString &separator, const QString &ext,
                                        const QSet<QString> &resources)
{
    const bool base = resources.contains(stem + ext) || resources.contains(stem + separator + QStringLiteral("1x") + ext);
    return base && resources.contains(stem + separator + QStringLiteral("1.5x") + ext)
           && resources.contains(stem + separator + QStringLiteral("2x") + ext);
}

ResourceReferences::Source ResourceReferences::read(const QString &path) const
{
    Source s;
    s.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return s;
    const QString text = QString::fromUtf8(file.readAll());
    s.code = text;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('/')) {
            while (i < n && text.at(i) != QLatin1Char('\n'))
                s.code[i++] = QLatin1Char(' ');
        } else if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('*')) {
            const int end = text.indexOf(QStringLiteral("*/"), i + 2);
            const int stop = end < 0 ? n : end + 2;
            for (; i < stop; ++i) {
                if (text.at(i) != QLatin1Char('\n'))
                    s.code[i] = QLatin1Char(' ');
            }
        } else if (c == QLatin1Char('\'')) {
            // A character literal, escapes included.
            ++i;
            while (i < n && text.at(i) != QLatin1Char('\'')) {
                if (text.at(i) == QLatin1Char('\\'))
                    ++i;
                ++i;
            }
            ++i;
        } else if (c == QLatin1Char('"')) {
            const int start = i;
            QString value;
            int end = i;
            // Adjacent literals are one string.
            for (;;) {
                ++end;
                while (end < n && text.at(end) != QLatin1Char('"')) {
                    if (text.at(end) == QLatin1Char('\\') && end + 1 < n) {
                        const QChar e = text.at(end + 1);
                        value += e == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                                 : e == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                                                         : e;
                        end += 2;
                        continue;
                    }
                    value += text.at(end++);
                }
                ++end; // past the closing quote
                int next = end;
                while (next < n && text.at(next).isSpace())
                    ++next;
                if (next < n && text.at(next) == QLatin1Char('"')) {
                    end = next;
                    continue;
                }
                break;
            }
            s.literals << value;
            s.literalStarts << start;
            s.literalEnds << end;
            i = end;
        } else {
            ++i;
        }
    }
    return s;
}

QStringList ResourceReferences::vocabulary(const Source &source) const
{
    QStringList words;
    QStringList files{source.path};
    static const QRegularExpression include(QStringLiteral("#include\\s+\"([^\"]+\\.h)\""));
    auto it = include.globalMatch(source.code);
    while (it.hasNext()) {
        const QString header = m_qstrRoot + QLatin1Char('/') + it.next().captured(1);
        if (QFileInfo::exists(header))
            files << header;
    }
    for (const QString &file : files) {
        const Source s = file == source.path ? source : read(file);
        for (const QString &literal : s.literals) {
            if (isNameLike(literal) && !literal.contains(kRoot))
                words << literal;
        }
    }
    words.removeDuplicates();
    return words;
}

// Builds the pieces of every expression that makes a resource path: each
// ":/resources/" literal with what is added to it, and each use of a
// constant that holds such a literal.
QVector<QVector<ResourceReferences::Piece>> ResourceReferences::expressions(const Source &source,
                                                                            QVector<int> *offsets) const
{
    const QString &code = source.code;
    const int n = code.size();
    auto literalAt = [&source](int offset) { return source.literalStarts.indexOf(offset); };
    auto skipSpace = [&code, n](int i) {
        while (i < n && code.at(i).isSpace())
            ++i;
        return i;
    };
    auto backSpace = [&code](int i) {
        while (i >= 0 && code.at(i).isSpace())
            --i;
        return i;
    };
    // The wrapper call whose "(" ends right before `offset`, if any.
    auto wrapperBefore = [&](int offset) {
        int i = backSpace(offset - 1);
        if (i < 0 || code.at(i) != QLatin1Char('('))
            return -1;
        i = backSpace(i - 1);
        for (const char *w : kWrappers) {
            const QString name = QLatin1String(w);
            const int start = i - name.size() + 1;
            if (start >= 0 && code.mid(start, name.size()) == name && (start == 0 || !isIdentChar(code.at(start - 1))))
                return start;
        }
        return -1;
    };

    // After the first piece: "+ operand" as long as it goes on.
    auto continueFrom = [&](int i, bool wrapped, QVector<Piece> pieces) {
        i = skipSpace(i);
        if (wrapped && i < n && code.at(i) == QLatin1Char(')'))
            i = skipSpace(i + 1);
        while (i + 1 < n && code.at(i) == QLatin1Char('+') && code.at(i + 1) != QLatin1Char('+')
               && code.at(i + 1) != QLatin1Char('=')) {
            i = skipSpace(i + 1);
            // A literal, bare or wrapped.
            int at = i;
            bool wrappedOperand = false;
            for (const char *w : kWrappers) {
                const QString name = QLatin1String(w);
                if (code.mid(i, name.size()) == name) {
                    const int open = skipSpace(i + name.size());
                    if (open < n && code.at(open) == QLatin1Char('(')) {
                        at = skipSpace(open + 1);
                        wrappedOperand = true;
                    }
                    break;
                }
            }
            const int lit = literalAt(at);
            if (lit >= 0) {
                int after = skipSpace(source.literalEnds.at(lit));
                bool whole = true;
                if (wrappedOperand) {
                    whole = after < n && code.at(after) == QLatin1Char(')');
                    if (whole)
                        after = skipSpace(after + 1);
                }
                if (whole) {
                    pieces.append({false, source.literals.at(lit)});
                    i = after;
                    continue;
                }
            }
            // Anything else: a hole up to the next "+" or the end of the operand.
            int depth = 0;
            while (i < n) {
                const QChar c = code.at(i);
                const int l = literalAt(i);
                if (l >= 0) {
                    i = source.literalEnds.at(l);
                    continue;
                }
                if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{'))
                    ++depth;
                else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
                    if (depth == 0)
                        break;
                    --depth;
                } else if (depth == 0 && (c == QLatin1Char('+') || c == QLatin1Char(',') || c == QLatin1Char(';')))
                    break;
                ++i;
            }
            pieces.append({true, QString()});
            i = skipSpace(i);
        }
        return pieces;
    };

    QVector<QVector<Piece>> out;
    QHash<QString, QString> bindings; // constant name -> resource literal it holds
    for (int k = 0; k < source.literals.size(); ++k) {
        const QString &value = source.literals.at(k);
        const int at = value.indexOf(kRoot);
        if (at < 0)
            continue;
        QString path = value.mid(at);
        static const QRegularExpression end(QStringLiteral("[)\"';}\\s]"));
        const int stop = path.indexOf(end);
        const int start = source.literalStarts.at(k);
        const int wrapper = wrapperBefore(start);
        if (stop >= 0) {
            out.append({Piece{false, path.left(stop)}});
            offsets->append(start);
            continue;
        }
        // "name = literal;" or "name[] = literal;": a constant others use.
        int before = backSpace((wrapper >= 0 ? wrapper : start) - 1);
        int after = skipSpace(source.literalEnds.at(k));
        if (wrapper >= 0 && after < n && code.at(after) == QLatin1Char(')'))
            after = skipSpace(after + 1);
        if (before >= 0 && code.at(before) == QLatin1Char('=') && after < n
            && (code.at(after) == QLatin1Char(';') || code.at(after) == QLatin1Char(','))) {
            int e = backSpace(before - 1);
            if (e >= 1 && code.at(e) == QLatin1Char(']'))
                e = backSpace(backSpace(e - 1) - 1);
            int b = e;
            while (b >= 0 && isIdentChar(code.at(b)))
                --b;
            const QString name = code.mid(b + 1, e - b);
            if (!name.isEmpty())
                bindings.insert(name, path);
        }
        out.append(continueFrom(source.literalEnds.at(k), wrapper >= 0, {Piece{false, path}}));
        offsets->append(start);
    }

    // Every use of such a constant starts an expression of its own.
    for (auto b = bindings.cbegin(); b != bindings.cend(); ++b) {
        const QRegularExpression use(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(b.key())));
        auto it = use.globalMatch(code);
        while (it.hasNext()) {
            const auto m = it.next();
            const int after = skipSpace(m.capturedEnd());
            // Its definition is not a use.
            if (after < n && (code.at(after) == QLatin1Char('=') || code.at(after) == QLatin1Char('[')))
                continue;
            const bool inLiteral = std::any_of(source.literalStarts.cbegin(), source.literalStarts.cend(),
                                               [&](int s) {
                                                   const int idx = source.literalStarts.indexOf(s);
                                                   return m.capturedStart() > s
                                                          && m.capturedStart() < source.literalEnds.at(idx);
                                               });
            if (inLiteral)
                continue;
            out.append(continueFrom(m.capturedEnd(), wrapperBefore(m.capturedStart()) >= 0, {Piece{false, b.value()}}));
            offsets->append(m.capturedStart());
        }
    }
    return out;
}

bool ResourceReferences::isPrefixOfResource(const QString &prefix) const
{
    const auto it = std::lower_bound(m_sorted.cbegin(), m_sorted.cend(), prefix);
    return it != m_sorted.cend() && it->startsWith(prefix);
}

void ResourceReferences::expand(const QVector<Piece> &pieces, int index, const QString &prefix, bool plainAtScale,
                                const QStringList &fillers, QStringList *out, QVector<bool> *plain) const
{
    if (index == pieces.size()) {
        if (m_resources.contains(prefix) && !out->contains(prefix)) {
            out->append(prefix);
            plain->append(plainAtScale);
        }
        return;
    }
    const Piece &piece = pieces.at(index);
    if (!piece.hole) {
        const QString next = prefix + piece.text;
        if (isPrefixOfResource(next))
            expand(pieces, index + 1, next, plainAtScale, fillers, out, plain);
        return;
    }
    // A hole takes a name of the file, a scale suffix, or both, or nothing.
    QStringList scales;
    for (const QString &word : fillers) {
        if (scaleWord().match(word).hasMatch() && !word.contains(QLatin1Char('.')))
            scales << word;
    }
    const bool completion = piece.text == QLatin1String("completion");
    const QStringList &names = completion ? m_completions : fillers;
    // A completion that may carry a scale suffix is a scale hole too.
    const bool scaleHole = !scales.isEmpty()
                           || (completion && std::any_of(m_completions.cbegin(), m_completions.cend(),
                                                         [](const QString &c) { return hasScaleSuffix(c); }));
    QStringList options{QString()};
    options += names;
    for (const QString &name : options) {
        QStringList variants;
        static const QRegularExpression placeholder(QStringLiteral("%\\d"));
        if (name.contains(placeholder)) {
            variants << QString(name).replace(placeholder, QString());
            for (const QString &s : scales)
                variants << QString(name).replace(placeholder, s);
        } else {
            variants << name;
            if (!hasScaleSuffix(name))
                for (const QString &s : scales)
                    variants << name + s;
        }
        for (const QString &variant : qAsConst(variants)) {
            const QString next = prefix + variant;
            if (!isPrefixOfResource(next))
                continue;
            const bool scaled = hasScaleSuffix(variant);
            expand(pieces, index + 1, next, plainAtScale || (!scaled && scaleHole), fillers, out, plain);
        }
    }
}

ResourceReferences::Reference ResourceReferences::check(const QString &where, const QVector<Piece> &raw,
                                                        const QStringList &fillers) const
{
    Reference ref;
    ref.where = where;
    // Placeholders are holes; a backslash only guards "@" from the sheet parser.
    QVector<Piece> pieces;
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const Piece &p : raw) {
        if (p.hole) {
            pieces.append(p);
            continue;
        }
        const QString text = QString(p.text).remove(QLatin1Char('\\'));
        int from = 0;
        auto it = placeholder.globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            pieces.append({false, text.mid(from, m.capturedStart() - from)});
            pieces.append({true, QString()});
            from = m.capturedEnd();
        }
        pieces.append({false, text.mid(from)});
    }
    const bool holes = std::any_of(pieces.cbegin(), pieces.cend(), [](const Piece &p) { return p.hole; });
    QString joined;
    for (const Piece &p : pieces)
        joined += p.hole ? QStringLiteral("*") : p.text;
    ref.pattern = joined;

    if (!holes) {
        if (joined.endsWith(QLatin1Char('/'))) {
            if (!isPrefixOfResource(joined))
                ref.problems << QStringLiteral("no resource below ") + joined;
        } else if (hasExtension(joined)) {
            if (m_resources.contains(joined))
                ref.resolved << joined;
            else
                ref.problems << joined;
        } else if (joined.startsWith(kRoot + QStringLiteral("qss/"))) {
            // A style-sheet base: the general sheet and one per scale.
            for (const QString &tail : {QStringLiteral(".qss"), QStringLiteral("-1x.qss"), QStringLiteral("-1.5x.qss"),
                                        QStringLiteral("-2x.qss")}) {
                if (m_resources.contains(joined + tail))
                    ref.resolved << joined + tail;
                else
                    ref.problems << joined + tail;
            }
        } else if (!isPrefixOfResource(joined)) {
            ref.problems << QStringLiteral("no resource starting with ") + joined;
        }
        return ref;
    }

    // A name that ends without its extension is completed elsewhere.
    if (pieces.last().hole || !hasExtension(pieces.last().text))
        pieces.append({true, QStringLiteral("completion")});

    QStringList found;
    QVector<bool> plain;
    expand(pieces, 0, QString(), false, fillers, &found, &plain);
    if (found.isEmpty()) {
        // Pieces the file does not spell out: at least something must match.
        QString re = QStringLiteral("^");
        for (const Piece &p : pieces)
            re += p.hole ? QStringLiteral(".*") : QRegularExpression::escape(p.text);
        re += QLatin1Char('$');
        const QRegularExpression pattern(re);
        for (const QString &r : m_sorted) {
            if (pattern.match(r).hasMatch()) {
                found << r;
                plain << false;
            }
        }
        if (found.isEmpty())
            ref.problems << QStringLiteral("nothing matches ") + joined;
    }
    ref.resolved = found;
    for (int i = 0; i < found.size(); ++i) {
        const auto m = suffixedName().match(found.at(i));
        if (m.hasMatch()) {
            if (!completeFamily(m.captured(1), m.captured(2), m.captured(4), m_resources))
                ref.problems << found.at(i) + QStringLiteral(": not at every scale");
            continue;
        }
        if (!plain.at(i))
            continue;
        // Built with an empty scale suffix: the suffixed ones must exist too.
        const QFileInfo info(found.at(i));
        const QString ext = QLatin1Char('.') + info.suffix();
        const QString stem = found.at(i).left(found.at(i).size() - ext.size());
        bool any = false;
        for (const QString &sep : {QStringLiteral("-"), QStringLiteral("@"), QStringLiteral("_")})
            any = any || completeFamily(stem, sep, ext, m_resources);
        if (!any)
            ref.problems << found.at(i) + QStringLiteral(": built for every scale, exists only at scale 1");
    }
    return ref;
}

QVector<ResourceReferences::Reference> ResourceReferences::scan() const
{
    QVector<Reference> refs;
    m_iFiles = 0;
    QStringList files;
    QDirIterator it(m_qstrRoot, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();

    // Scale suffixes with their extension, wherever code completes a name.
    m_completions.clear();
    QVector<Source> sources;
    for (const QString &file : qAsConst(files)) {
        // The generator writes the resources; it builds no path to them.
        if (file.contains(QLatin1String("/resources/tool/")))
            continue;
        sources.append(read(file));
        ++m_iFiles;
        static const QRegularExpression completion(QStringLiteral("^\\\\?([-_@](1|1\\.5|2)x)?\\.(png|jpg|gif)$"));
        for (const QString &literal : sources.last().literals) {
            if (completion.match(literal).hasMatch())
                m_completions << QString(literal).remove(QLatin1Char('\\'));
        }
    }
    m_completions.removeDuplicates();

    for (const Source &source : qAsConst(sources)) {
        QVector<int> offsets;
        const QVector<QVector<Piece>> all = expressions(source, &offsets);
        if (all.isEmpty())
            continue;
        const QStringList fillers = vocabulary(source);
        QSet<QString> seen;
        for (int i = 0; i < all.size(); ++i) {
            const int line = source.code.left(offsets.at(i)).count(QLatin1Char('\n')) + 1;
            const QString where = source.path.mid(m_qstrRoot.size() + 1) + QLatin1Char(':') + QString::number(line);
            Reference ref = check(where, all.at(i), fillers);
            if (seen.contains(ref.pattern))
                continue;
            seen.insert(ref.pattern);
            refs.append(ref);
        }
    }
    return refs;
}

} // namespace glimora::test
