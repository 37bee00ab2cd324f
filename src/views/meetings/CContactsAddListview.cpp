#include "views/meetings/CContactsAddListview.h"

#include "views/meetings/CContactsAddDelegate.h"

#include <QRegExp>
#include <QSet>
#include <QSortFilterProxyModel>

namespace rj_app::views {

CContactsAddListview::CContactsAddListview(QWidget *parent)
    : QListView(parent)
{
    setMouseTracking(true);
    // Every row has the same height: the view lays out hundreds of users
    // without asking each one.
    setUniformItemSizes(true);
}

CContactsAddListview::~CContactsAddListview() = default;

void CContactsAddListview::init()
{
    if (m_pModel)
        return;
    m_pModel = new CContactsAddListmodel(this);
    m_pProxy = new QSortFilterProxyModel(this);
    m_pDelegate = new CContactsAddDelegate(this);
    m_pProxy->setSourceModel(m_pModel);
    m_pProxy->setFilterKeyColumn(0);
    m_pProxy->setFilterRole(CContactsAddListmodel::TextRole);
    setModel(m_pProxy);
    setItemDelegate(m_pDelegate);
    connect(m_pDelegate, &CContactsAddDelegate::signal_addContactItem, this,
            &CContactsAddListview::slot_addContactItem);
    connect(m_pDelegate, &CContactsAddDelegate::signal_selectUserItem, this,
            &CContactsAddListview::slot_selectUserItem);
    if (m_bSelectMode) {
        // Switched before init: the parts created now follow.
        m_pDelegate->setSelectMode();
        m_pModel->setSelectMode();
    }
}

void CContactsAddListview::setUsers(const QList<ucmuserData> &users, const QList<ucmcontactData> &contacts)
{
    if (!m_pModel)
        return;
    const QSet<int> contactUsers = usersOf(contacts);
    QList<userItemData> rows;
    rows.reserve(users.size());
    for (const ucmuserData &user : users) {
        userItemData row;
        row.text = user.displayName;
        row.added = contactUsers.contains(user.id);
        row.user = user;
        row.avatarUrl = user.imageURL;
        rows.append(row);
    }
    m_pModel->setItems(rows);
}

QSet<int> CContactsAddListview::usersOf(const QList<ucmcontactData> &contacts)
{
    QSet<int> users;
    for (const ucmcontactData &contact : contacts) {
        // A contact without a user (id 0) marks nobody.
        if (contact.userId != 0)
            users.insert(contact.userId);
    }
    return users;
}

void CContactsAddListview::setAddedFrom(const QList<ucmcontactData> &contacts)
{
    if (m_pModel)
        m_pModel->setAddedUsers(usersOf(contacts));
}

void CContactsAddListview::setAdded(int userId)
{
    if (m_pModel)
        m_pModel->setAdded(userId);
}

void CContactsAddListview::clearAdded(int userId)
{
    if (m_pModel)
        m_pModel->clearAdded(userId);
}

void CContactsAddListview::updateCurrentUser(const ucmuserData &user)
{
    if (m_pModel)
        m_pModel->updateUser(user.id, user.imageURL, user.displayName);
}

QList<int> CContactsAddListview::getSelectedUsers() const
{
    return m_pModel ? m_pModel->getSelectedUsers() : QList<int>();
}

void CContactsAddListview::setSelectMode()
{
    m_bSelectMode = true;
    if (m_pDelegate)
        m_pDelegate->setSelectMode();
    if (m_pModel)
        m_pModel->setSelectMode();
}

void CContactsAddListview::setSelectedUsers(const QList<int> &ids)
{
    if (m_pModel && m_bSelectMode)
        m_pModel->setSelectedUsers(ids);
}

void CContactsAddListview::setUserSelected(int userId, bool selected)
{
    if (m_pModel && m_bSelectMode)
        m_pModel->setUserSelected(userId, selected);
}

void CContactsAddListview::updateDpi(double scale)
{
    if (m_pDelegate)
        m_pDelegate->updateDpi(scale);
    if (m_pModel)
        m_pModel->refresh();
}

namespace {

// The same wildcard pattern with every run of stars and question marks
// written as its question marks followed by at most one star. It matches the
// same texts, but the matcher backtracks through a run of stars once instead
// of once per star: a few dozen typed stars would otherwise keep the window
// busy for seconds per keystroke. Bracket classes are copied unchanged.
QString compactWildcards(const QString &pattern)
{
    QString out;
    out.reserve(pattern.size());
    const int n = pattern.size();
    int i = 0;
    while (i < n) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('[')) {
            // A ']' straight after '[' belongs to the class.
            const int close = pattern.indexOf(QLatin1Char(']'), i + 2);
            if (close < 0) {
                out += pattern.mid(i);
                break;
            }
            out += pattern.mid(i, close - i + 1);
            i = close + 1;
        } else if (c == QLatin1Char('*') || c == QLatin1Char('?')) {
            int marks = 0;
            bool star = false;
            for (; i < n && (pattern.at(i) == QLatin1Char('*') || pattern.at(i) == QLatin1Char('?')); ++i) {
                if (pattern.at(i) == QLatin1Char('?'))
                    ++marks;
                else
                    star = true;
            }
            out += QString(marks, QLatin1Char('?'));
            if (star)
                out += QLatin1Char('*');
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace

QRegExp CContactsAddListview::searchPattern(const QString &text)
{
    // Text without wildcards, nearly every search, is looked for as it
    // stands: the wildcard matcher takes about ten times as long, too long
    // for a directory of ten thousand users on every keystroke.
    if (!text.contains(QLatin1Char('*')) && !text.contains(QLatin1Char('?')) && !text.contains(QLatin1Char('[')))
        return QRegExp(text, Qt::CaseInsensitive, QRegExp::FixedString);
    // Wildcards typed by the user keep their meaning; an unbalanced bracket
    // would make the whole pattern invalid and hide everybody, so such a
    // text is looked for literally.
    QRegExp pattern(compactWildcards(QStringLiteral("*%1*").arg(text)), Qt::CaseInsensitive,
                    QRegExp::Wildcard);
    if (!pattern.isValid())
        pattern = QRegExp(QRegExp::escape(text), Qt::CaseInsensitive, QRegExp::RegExp2);
    return pattern;
}

void CContactsAddListview::slot_textChanged(QString str)
{
    if (m_pProxy)
        m_pProxy->setFilterRegExp(searchPattern(str));
}

int CContactsAddListview::sourceRow(const QModelIndex &index) const
{
    if (!m_pProxy || !index.isValid())
        return -1;
    // Delegates see the proxy's rows; the filtered list is not the model's order.
    const QModelIndex source = index.model() == m_pProxy ? m_pProxy->mapToSource(index) : index;
    return source.isValid() ? source.row() : -1;
}

void CContactsAddListview::slot_addContactItem(QModelIndex index)
{
    const int row = sourceRow(index);
    if (row < 0)
        return;
    emit signal_addContact_begin(m_pModel->itemAt(row).user.id);
}

void CContactsAddListview::slot_selectUserItem(QModelIndex index)
{
    if (!m_bSelectMode)
        return;
    const int row = sourceRow(index);
    if (row < 0)
        return;
    const bool selected = m_pModel->toggleSelected(row);
    emit signal_selectSyncItem(m_pModel->itemAt(row).user.id, selected);
}

} // namespace rj_app::views
