#include "models/CUrlPixmap.h"
#include "models/UcmRecords.h"
#include "support/HttpFixtureServer.h"
#include "support/TestMain.h"
#include "views/meetings/CContactsAddDelegate.h"
#include "views/meetings/CContactsAddListmodel.h"
#include "views/meetings/CContactsAddListview.h"
#include "views/meetings/CContactsDelegate.h"
#include "views/meetings/CContactsListmodel.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CSearchAddEdit.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QHoverEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTranslator>

#include <algorithm>
#include <memory>

using glimora::test::HttpFixtureServer;
using rj_app::models::CUrlPixmap;
using namespace rj_app::views;

namespace {

QByteArray pngBytes(int w, int h, Qt::GlobalColor colour = Qt::darkCyan)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

ucmcontactData contact(int id, const QString &name, int ownerId, int userId, const QString &url = QString())
{
    ucmcontactData c;
    c.id = id;
    c.name = name;
    c.ownerId = ownerId;
    c.userId = userId;
    c.userName = name.toLower().remove(QLatin1Char(' '));
    c.imageURL = url;
    return c;
}

ucmuserData user(int id, const QString &displayName, const QString &url = QString())
{
    ucmuserData u;
    u.id = id;
    u.displayName = displayName;
    u.imageURL = url;
    return u;
}

// The named people of the directory; the 300 generated users follow them.
const QStringList kPeople{QStringLiteral("Carol Wu"),       QStringLiteral("Dave Li"),
                          QStringLiteral("Erin Park"),      QStringLiteral("Busy Bee"),
                          QStringLiteral("Nobody Home"),    QStringLiteral("Alice Chen"),
                          QStringLiteral("Bob Stone"),      QStringLiteral("Zoë Müller"),
                          QStringLiteral("张伟"),           QStringLiteral("Ångström Öberg"),
                          QStringLiteral("Anna [Ops]")};

QList<ucmuserData> directoryUsers(const QString &urlBase = QString())
{
    QList<ucmuserData> users;
    int id = 1;
    for (const QString &name : kPeople) {
        users.append(user(id, name, urlBase.isEmpty() ? QString() : urlBase + QStringLiteral("/u/%1.png").arg(id)));
        ++id;
    }
    for (int n = 1; n <= 300; ++n, ++id)
        users.append(user(id, QStringLiteral("User %1").arg(n, 3, 10, QLatin1Char('0')),
                          urlBase.isEmpty() ? QString() : urlBase + QStringLiteral("/u/%1.png").arg(id)));
    return users;
}

int idOf(const QString &name)
{
    return kPeople.indexOf(name) + 1;
}

QStringList rowTexts(const CContactsListview &view)
{
    QStringList texts;
    for (int row = 0; row < view.contactsModel()->rowCount(); ++row)
        texts << view.itemAt(row).text;
    return texts;
}

QList<int> rowKinds(const CContactsListview &view)
{
    QList<int> kinds;
    for (int row = 0; row < view.contactsModel()->rowCount(); ++row)
        kinds << view.itemAt(row).type;
    return kinds;
}

QStringList shownNames(const CContactsAddListview &view)
{
    QStringList names;
    const QAbstractItemModel *proxy = view.proxyModel();
    for (int row = 0; row < proxy->rowCount(); ++row)
        names << proxy->index(row, 0).data(CContactsAddListmodel::TextRole).toString();
    return names;
}

int proxyRowOf(const CContactsAddListview &view, const QString &name)
{
    return shownNames(view).indexOf(name);
}

// True while some row still waits for its picture.
bool model_isWaiting(const CContactsAddListmodel *model)
{
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->itemAt(row).avatar.isNull())
            return true;
    return false;
}

QPoint centreOf(const QRect &r)
{
    return QPoint(r.x() + r.width() / 2, r.y() + r.height() / 2);
}

} // namespace

class TestContactLists : public QObject
{
    Q_OBJECT

    std::unique_ptr<HttpFixtureServer> m_server;

    QString url(const QString &path) const { return m_server->baseUrl() + path; }

private slots:
    void initTestCase()
    {
        CUrlPixmap::getInstance()->setDownloadTimeout(3000);
    }

    void init()
    {
        CUrlPixmap::s_pixmapCache.clear();
        m_server = std::make_unique<HttpFixtureServer>();
        QVERIFY(m_server->start());
    }

    void cleanup()
    {
        m_server.reset();
    }

    // ---------------------------------------------------------- contacts list

    void contactRows_data()
    {
        QTest::addColumn<QList<ucmcontactData>>("contacts");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<int>("defaultRow");

        const QStringList fixed{"Add contacts", "", "My contacts"};
        const QList<int> fixedKinds{1, 2, 3};
        QTest::newRow("none") << QList<ucmcontactData>{} << fixed << fixedKinds << 0;
        QTest::newRow("own entry only")
            << QList<ucmcontactData>{contact(10, "Alice Chen", 5, 5)}
            << (fixed + QStringList{"Alice Chen(Me)"}) << (fixedKinds + QList<int>{0}) << 0;
        QTest::newRow("own and one other")
            << QList<ucmcontactData>{contact(10, "Alice Chen", 5, 5), contact(11, "Carol Wu", 5, 1)}
            << (fixed + QStringList{"Alice Chen(Me)", "Carol Wu"}) << (fixedKinds + QList<int>{0, 0}) << 3;
        // Owner and user decide, not the position or the signed-in user.
        QTest::newRow("own entry further down")
            << QList<ucmcontactData>{contact(11, "Carol Wu", 5, 1), contact(12, "Dave Li", 5, 2),
                                     contact(10, "Alice Chen", 5, 5)}
            << (fixed + QStringList{"Carol Wu", "Dave Li", "Alice Chen(Me)"})
            << (fixedKinds + QList<int>{0, 0, 0}) << 3;
        // A record without ids is nobody's own entry.
        QTest::newRow("record without ids")
            << QList<ucmcontactData>{contact(0, "Nameless", 0, 0), contact(11, "Carol Wu", 5, 1)}
            << (fixed + QStringList{"Nameless", "Carol Wu"}) << (fixedKinds + QList<int>{0, 0}) << 3;
    }

    void contactRows()
    {
        QFETCH(QList<ucmcontactData>, contacts);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, kinds);
        QFETCH(int, defaultRow);

        CContactsListview view;
        view.init();
        QCOMPARE(rowTexts(view), (QStringList{"Add contacts", "", "My contacts"}));
        view.setContacts(contacts);
        QCOMPARE(rowTexts(view), texts);
        QCOMPARE(rowKinds(view), kinds);
        for (int row = 3; row < kinds.size(); ++row)
            QCOMPARE(view.itemAt(row).contact.id, contacts.at(row - 3).id);

        // Separator and section title can never be selected; header and contacts can.
        const CContactsListmodel *model = view.contactsModel();
        for (int row = 0; row < kinds.size(); ++row) {
            const Qt::ItemFlags flags = model->flags(model->index(row));
            const bool selectable = kinds.at(row) == 0 || kinds.at(row) == 1;
            QCOMPARE(bool(flags & Qt::ItemIsSelectable), selectable);
            QCOMPARE(bool(flags & Qt::ItemIsEnabled), selectable);
        }
        QCOMPARE(model->flags(model->index(kinds.size())), Qt::NoItemFlags);
        QCOMPARE(view.itemAt(kinds.size()).type, 0);
        QVERIFY(view.itemAt(-1).text.isEmpty());

        QSignalSpy current(&view, &CContactsListview::signal_current_changed);
        view.selectDefaultRow();
        QCOMPARE(current.size(), 1);
        QCOMPARE(current.at(0).at(0).toInt(), defaultRow);
        QCOMPARE(view.currentIndex().row(), defaultRow);
        QCOMPARE(view.currentItem().text, texts.at(defaultRow));
    }

    // Clicks make a row current only where the row can be selected.
    void clicksOnRows()
    {
        CContactsListview view;
        view.init();
        view.setContacts({contact(10, "Alice Chen", 5, 5), contact(11, "Carol Wu", 5, 1)});
        view.resize(250, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy current(&view, &CContactsListview::signal_current_changed);

        auto click = [&](int row) {
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(view.visualRect(view.model()->index(row, 0))));
        };
        click(2);
        click(1);
        for (const QList<QVariant> &args : current)
            QVERIFY(args.at(0).toInt() != 2 && args.at(0).toInt() != 1);
        QVERIFY(view.currentIndex().row() != 2 && view.currentIndex().row() != 1);
        click(4);
        QVERIFY(!current.isEmpty());
        QCOMPARE(current.last().at(0).toInt(), 4);
        QCOMPARE(view.currentItem().text, QStringLiteral("Carol Wu"));
        click(0);
        QCOMPARE(current.last().at(0).toInt(), 0);
    }

    void rowHeights_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<int>>("heights");   // contact, header, separator, section
        QTest::newRow("1") << 1.0 << QList<int>{40, 48, 1, 20};
        QTest::newRow("1.5") << 1.5 << QList<int>{60, 72, 1, 30};
        QTest::newRow("1.25 truncated") << 1.25 << QList<int>{50, 60, 1, 25};
        QTest::newRow("2") << 2.0 << QList<int>{80, 96, 1, 40};
        QTest::newRow("0 counts as 1") << 0.0 << QList<int>{40, 48, 1, 20};
    }

    void rowHeights()
    {
        QFETCH(double, scale);
        QFETCH(QList<int>, heights);
        CContactsListview view;
        view.init();
        view.setContacts({contact(11, "Carol Wu", 5, 1)});
        view.updateDpi(scale);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 250, 10);
        const QAbstractItemModel *model = view.model();
        const QList<int> rows{3, 0, 1, 2};
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(view.contactsDelegate()->sizeHint(option, model->index(rows.at(i), 0)), QSize(250, heights.at(i)));

        CContactsAddListview directory;
        directory.init();
        directory.setUsers({user(1, "Carol Wu")}, {});
        directory.updateDpi(scale);
        QCOMPARE(directory.usersDelegate()->sizeHint(option, directory.model()->index(0, 0)),
                 QSize(250, heights.at(0)));
    }

    // Pictures come from the downloader: every row of an address gets it,
    // announced so the row repaints; a failed download shows the fallback; an
    // address already in the cache is not fetched again.
    void contactAvatars()
    {
        m_server->addRoute("GET", "/a.png", 200, pngBytes(11, 11), 0, "image/png");
        m_server->addRoute("GET", "/b.png", 200, pngBytes(12, 12), 0, "image/png");
        m_server->addRoute("GET", "/c.png", 200, pngBytes(13, 13), 0, "image/png");
        m_server->addRoute("GET", "/notpic", 200, "hello", 0, "text/plain");
        CUrlPixmap::s_pixmapCache.insert(url("/cached.png"), QPixmap(9, 9));

        CContactsListview view;
        view.init();
        QSignalSpy changed(view.contactsModel(), &QAbstractItemModel::dataChanged);
        view.setContacts({contact(10, "Alice Chen", 5, 5, url("/a.png")),
                          contact(11, "Carol Wu", 5, 1, url("/b.png")),
                          contact(12, "Dave Li", 5, 2, url("/a.png")),        // same picture twice
                          contact(13, "Erin Park", 5, 3, url("/missing.png")),
                          contact(14, "Busy Bee", 5, 4, url("/cached.png")),
                          contact(15, "Nobody Home", 5, 6, url("/notpic")),
                          contact(16, "No Picture", 5, 7, QString())});
        // Cached and address-less rows have their picture at once.
        QCOMPARE(view.itemAt(7).avatar.size(), QSize(9, 9));
        QVERIFY(!view.itemAt(9).avatar.isNull());
        for (int row : {0, 1, 2})
            QVERIFY(view.itemAt(row).avatar.isNull());

        QTRY_COMPARE_WITH_TIMEOUT(view.itemAt(3).avatar.size(), QSize(11, 11), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(view.itemAt(5).avatar.size(), QSize(11, 11), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(view.itemAt(4).avatar.size(), QSize(12, 12), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!view.itemAt(6).avatar.isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!view.itemAt(8).avatar.isNull(), 10000);
        QCOMPARE(view.itemAt(6).avatar.size(), QSize(80, 80));   // the fallback picture
        QCOMPARE(view.itemAt(8).avatar.size(), QSize(80, 80));   // a reply that is no picture
        // One request per address; the cached one was not asked for.
        QVERIFY(m_server->waitForRequests(4));
        int aRequests = 0;
        for (const auto &request : m_server->requests()) {
            QVERIFY(request.path != QLatin1String("/cached.png"));
            aRequests += request.path == QLatin1String("/a.png");
        }
        QCOMPARE(aRequests, 1);
        bool avatarAnnounced = false;
        for (const QList<QVariant> &args : changed)
            avatarAnnounced |= args.at(2).value<QVector<int>>().contains(CContactsListmodel::AvatarRole);
        QVERIFY(avatarAnnounced);

        // A contact added later gets its picture the same way.
        view.addContact(contact(17, "Late Comer", 5, 8, url("/c.png")));
        QCOMPARE(view.itemAt(10).text, QStringLiteral("Late Comer"));
        QTRY_COMPARE_WITH_TIMEOUT(view.itemAt(10).avatar.size(), QSize(13, 13), 10000);
    }

    // Only contact rows are ever removed: the fixed rows stay whatever is
    // current and whatever id a malformed record carries.
    void removingKeepsFixedRows()
    {
        CContactsListview view;
        view.init();
        view.setContacts({contact(0, "Nameless", 0, 0), contact(11, "Carol Wu", 5, 1),
                          contact(12, "Dave Li", 5, 2), contact(13, "Carol again", 5, 1)});
        const QStringList fixed{"Add contacts", "", "My contacts"};

        for (int row : {0, 1, 2}) {
            view.setCurrentIndex(view.model()->index(row, 0));
            view.removeCurrentRow();
            QCOMPARE(view.contactsModel()->rowCount(), 7);
        }
        view.removeContactByUserId(0);
        QCOMPARE(view.contactsModel()->rowCount(), 7);
        QCOMPARE(rowTexts(view).mid(0, 3), fixed);

        view.removeContactByUserId(1);   // the first of that user only
        QCOMPARE(rowTexts(view), (fixed + QStringList{"Nameless", "Dave Li", "Carol again"}));
        view.setCurrentIndex(view.model()->index(4, 0));
        view.removeCurrentRow();
        QCOMPARE(rowTexts(view), (fixed + QStringList{"Nameless", "Carol again"}));
        view.removeContactByUserId(99);
        QCOMPARE(view.contactsModel()->rowCount(), 5);
    }

    void contactsSelectMode()
    {
        CContactsListview view;
        view.init();
        view.setContacts({contact(10, "Alice Chen", 5, 5), contact(11, "Carol Wu", 5, 1),
                          contact(12, "Dave Li", 5, 2), contact(13, "Carol again", 5, 1)});
        view.setSelectMode();
        QCOMPARE(view.itemAt(0).text, QStringLiteral("Organization"));
        for (int row = 0; row < 7; ++row)
            QCOMPARE(view.contactsModel()->flags(view.model()->index(row, 0)), Qt::NoItemFlags);

        QSignalSpy current(&view, &CContactsListview::signal_current_changed);
        view.selectDefaultRow();
        QCOMPARE(current.size(), 1);
        QCOMPARE(current.at(0).at(0).toInt(), 0);
        QVERIFY(!view.currentIndex().isValid());

        view.resize(250, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy sync(&view, &CContactsListview::signal_selectSyncItem);
        const CContactsDelegate *delegate = view.contactsDelegate();
        auto clickTick = [&](int row) {
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                              centreOf(delegate->tickRect(view.visualRect(view.model()->index(row, 0)))));
        };
        clickTick(4);
        QCOMPARE(sync.size(), 1);
        QCOMPARE(sync.at(0).at(0).toInt(), 1);
        QCOMPARE(sync.at(0).at(1).toBool(), true);
        QVERIFY(view.itemAt(4).selected);
        QVERIFY(!view.currentIndex().isValid());
        clickTick(4);
        QCOMPARE(sync.size(), 2);
        QCOMPARE(sync.at(1).at(1).toBool(), false);
        // The header has no tick box; pressing where one would be does nothing.
        clickTick(0);
        QCOMPARE(sync.size(), 2);
        QVERIFY(!view.itemAt(0).selected);
        // Away from the box a press ticks nothing.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(5, 0)).center() - QPoint(60, 0));
        QCOMPARE(sync.size(), 2);

        view.setSelectedUsers({1, 5});
        QList<bool> ticks;
        for (int row = 3; row < 7; ++row)
            ticks << view.itemAt(row).selected;
        QCOMPARE(ticks, (QList<bool>{true, true, false, true}));
        view.setUserSelected(1, false);   // the first row of that user only
        QCOMPARE(view.itemAt(4).selected, false);
        QCOMPARE(view.itemAt(6).selected, true);
    }

    // Select mode switched before the parts exist still reaches them.
    void selectModeBeforeInit()
    {
        CContactsListview list;
        list.setSelectMode();
        list.init();
        QCOMPARE(list.itemAt(0).text, QStringLiteral("Organization"));
        QVERIFY(list.contactsModel()->isSelectMode());
        QVERIFY(list.contactsDelegate()->isSelectMode());
        QCOMPARE(list.contactsModel()->flags(list.model()->index(0, 0)), Qt::NoItemFlags);

        CContactsAddListview directory;
        directory.setSelectMode();
        directory.init();
        QVERIFY(directory.usersModel()->isSelectMode());
        QVERIFY(directory.usersDelegate()->isSelectMode());
        directory.setUsers({user(1, "Carol Wu")}, {});
        directory.setSelectedUsers({1});
        QCOMPARE(directory.getSelectedUsers(), QList<int>{1});
    }

    // Outside select mode the tick calls change nothing.
    void ticksIgnoredOutsideSelectMode()
    {
        CContactsListview view;
        view.init();
        view.setContacts({contact(11, "Carol Wu", 5, 1)});
        view.setSelectedUsers({1});
        view.setUserSelected(1, true);
        view.slot_selectContactItem(view.model()->index(3, 0));
        QVERIFY(!view.itemAt(3).selected);
    }

    // The own entry follows a profile change and the language, without the
    // suffix twice, wherever it stands.
    void ownEntryTextAndLanguage()
    {
        m_server->addRoute("GET", "/new.png", 200, pngBytes(15, 15), 0, "image/png");
        CContactsListview view;
        view.init();
        view.setContacts({contact(11, "Carol Wu", 5, 1), contact(10, "Alice Chen", 5, 5)});
        ucmuserData me = user(5, "Alice C.", url("/new.png"));
        view.updateCurrentUser(me);
        QCOMPARE(view.itemAt(4).text, QStringLiteral("Alice C.(Me)"));
        QCOMPARE(view.itemAt(4).contact.imageURL, url("/new.png"));
        QTRY_COMPARE_WITH_TIMEOUT(view.itemAt(4).avatar.size(), QSize(15, 15), 10000);
        QCOMPARE(view.itemAt(3).text, QStringLiteral("Carol Wu"));

        QTranslator zh;
        QVERIFY(zh.load(QStringLiteral("lang_zh-CN.qm"), QStringLiteral(GLIMORA_TEST_QM_DIR)));
        QCoreApplication::installTranslator(&zh);
        view.retranslate();
        QCoreApplication::removeTranslator(&zh);
        QCOMPARE(view.itemAt(0).text, QStringLiteral("添加联系人"));
        QCOMPARE(view.itemAt(2).text, QStringLiteral("我的联系人"));
        QCOMPARE(view.itemAt(4).text, QStringLiteral("Alice C.（我）"));
        QCOMPARE(view.itemAt(3).text, QStringLiteral("Carol Wu"));
        view.retranslate();
        QCOMPARE(view.itemAt(4).text, QStringLiteral("Alice C.(Me)"));

        // Nobody of that user: nothing changes.
        view.updateCurrentUser(user(77, "Ghost"));
        QCOMPARE(rowTexts(view).mid(3), (QStringList{"Carol Wu", "Alice C.(Me)"}));
    }

    void contactsSetData_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");

        ucmcontactData other = contact(20, "Other", 5, 9);
        QTest::newRow("text") << 3 << 256 << QVariant(QStringLiteral("New")) << true;
        QTest::newRow("kind") << 3 << 257 << QVariant(3) << true;
        QTest::newRow("kind not a number") << 3 << 257 << QVariant(QStringLiteral("x")) << false;
        QTest::newRow("picture") << 3 << 258 << QVariant(QPixmap(4, 4)) << true;
        QTest::newRow("picture from a number") << 3 << 258 << QVariant(42) << false;
        QTest::newRow("contact") << 3 << 259 << QVariant::fromValue(other) << true;
        QTest::newRow("contact from text") << 3 << 259 << QVariant(QStringLiteral("x")) << false;
        QTest::newRow("tick") << 3 << 260 << QVariant(true) << true;
        QTest::newRow("other role") << 3 << 261 << QVariant(1) << false;
        QTest::newRow("display role") << 3 << int(Qt::DisplayRole) << QVariant(QStringLiteral("x")) << false;
        QTest::newRow("row out of range") << 4 << 256 << QVariant(QStringLiteral("x")) << false;
    }

    // A value that does not fit is refused and leaves the row as it was.
    void contactsSetData()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        CContactsListview view;
        view.init();
        view.setContacts({contact(11, "Carol Wu", 5, 1)});
        CContactsListmodel *model = view.contactsModel();
        const QModelIndex index = model->index(row);
        const contactItemData before = view.itemAt(3);
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);

        QCOMPARE(model->setData(index, value, role), accepted);
        QCOMPARE(changed.size(), accepted ? 1 : 0);
        if (accepted) {
            QCOMPARE(model->data(index, role).userType(), role == 257 ? int(QMetaType::Int)
                                                           : role == 256 ? int(QMetaType::QString)
                                                           : role == 258 ? int(QMetaType::QPixmap)
                                                           : role == 260 ? int(QMetaType::Bool)
                                                                         : qMetaTypeId<ucmcontactData>());
            if (role == 259)
                QCOMPARE(view.itemAt(3).contact.userId, 9);
        } else {
            const contactItemData after = view.itemAt(3);
            QCOMPARE(after.text, before.text);
            QCOMPARE(after.type, before.type);
            QCOMPARE(after.contact.userId, before.contact.userId);
            QCOMPARE(after.selected, before.selected);
        }
        QVERIFY(!model->data(model->index(3), 261).isValid());
        QVERIFY(QMetaType::type("ucmcontactData") != QMetaType::UnknownType);
    }

    // ---------------------------------------------------------- directory

    void directoryAddedMarks()
    {
        CContactsAddListview view;
        view.init();
        QVERIFY(QMetaType::type("ucmuserData") != QMetaType::UnknownType);
        const QList<ucmuserData> users = directoryUsers();
        QList<ucmcontactData> contacts{contact(11, "Carol Wu", 6, idOf("Carol Wu")),
                                       contact(12, "Dave Li", 6, idOf("Dave Li")),
                                       contact(13, "Nameless", 0, 0)};
        view.setUsers(users, contacts);
        CContactsAddListmodel *model = view.usersModel();
        QCOMPARE(model->rowCount(), users.size());
        QCOMPARE(view.proxyModel()->rowCount(), users.size());
        QList<int> addedIds;
        for (int row = 0; row < model->rowCount(); ++row) {
            const userItemData item = model->itemAt(row);
            QCOMPARE(item.user.id, users.at(row).id);   // in the server's order
            QCOMPARE(item.text, users.at(row).displayName);
            if (item.added)
                addedIds << item.user.id;
        }
        QCOMPARE(addedIds, (QList<int>{idOf("Carol Wu"), idOf("Dave Li")}));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(model->flags(model->index(row)), Qt::NoItemFlags);

        // Marks change only on confirmation, one row at a time, without a reset.
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        view.setAdded(idOf("Erin Park"));
        QVERIFY(model->itemAt(2).added);
        view.clearAdded(idOf("Carol Wu"));
        QVERIFY(!model->itemAt(0).added);
        view.setAdded(9999);
        QCOMPARE(reset.size(), 0);

        // A rebuild recomputes the marks from the contacts it is given.
        view.setUsers(users, {contact(11, "Carol Wu", 6, idOf("Carol Wu"))});
        QVERIFY(model->itemAt(0).added);
        QVERIFY(!model->itemAt(1).added);
        QVERIFY(!model->itemAt(2).added);
    }

    void directorySearch_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("names");   // checked when not empty

        const int all = kPeople.size() + 300;
        QTest::newRow("empty shows all") << QString() << all << QStringList{};
        QTest::newRow("letters together") << "an" << 1 << QStringList{"Anna [Ops]"};
        QTest::newRow("either case") << "AN" << 1 << QStringList{"Anna [Ops]"};
        QTest::newRow("in the middle") << "ar" << 2 << QStringList{"Carol Wu", "Erin Park"};
        QTest::newRow("star between letters") << "a*n" << 2 << QStringList{"Alice Chen", "Anna [Ops]"};
        QTest::newRow("question mark") << "User ?0?" << 30 << QStringList{};
        QTest::newRow("prefix of numbers") << "user 00" << 9 << QStringList{};
        QTest::newRow("hundreds") << "User 1" << 100 << QStringList{};
        QTest::newRow("exact generated") << "user 300" << 1 << QStringList{"User 300"};
        QTest::newRow("bracket class") << "[o]ps" << 1 << QStringList{"Anna [Ops]"};
        QTest::newRow("lone bracket literally") << "[" << 1 << QStringList{"Anna [Ops]"};
        QTest::newRow("regex characters are plain") << "." << 0 << QStringList{};
        QTest::newRow("diaeresis") << "zoë" << 1 << QStringList{"Zoë Müller"};
        QTest::newRow("diaeresis upper case") << "ZOË MÜLLER" << 1 << QStringList{"Zoë Müller"};
        QTest::newRow("ring and umlaut") << "ångström ö" << 1 << QStringList{"Ångström Öberg"};
        QTest::newRow("chinese") << "张" << 1 << QStringList{"张伟"};
        QTest::newRow("chinese second") << "伟" << 1 << QStringList{"张伟"};
        QTest::newRow("stars in a row") << (QString(40, '*') + "z" + QString(40, '*')) << 1 << QStringList{"Zoë Müller"};
        QTest::newRow("marks and stars") << "?*?*?*?*?*?*?*?*r" << 2 << QStringList{"Zoë Müller", "Ångström Öberg"};
        QTest::newRow("marks between letters") << "b?b" << 1 << QStringList{"Bob Stone"};
        QTest::newRow("stars inside a class") << "[*]" << 0 << QStringList{};
        QTest::newRow("no match") << "nobody here" << 0 << QStringList{};
        QTest::newRow("space") << " " << all - 1 << QStringList{};   // all but 张伟
    }

    void directorySearch()
    {
        QFETCH(QString, query);
        QFETCH(int, count);
        QFETCH(QStringList, names);
        CContactsAddListview view;
        view.init();
        CSearchAddEdit edit;
        connect(&edit, &QLineEdit::textChanged, &view, &CContactsAddListview::slot_textChanged);
        view.setUsers(directoryUsers(), {});

        edit.setText(QStringLiteral("something else"));
        edit.setText(query);
        QCOMPARE(view.proxyModel()->rowCount(), count);
        if (!names.isEmpty())
            QCOMPARE(shownNames(view), names);

        // The filter stays in force on a rebuilt list; clearing it shows all.
        view.setUsers(directoryUsers(), {});
        QCOMPARE(view.proxyModel()->rowCount(), count);
        edit.clear();
        QCOMPARE(view.proxyModel()->rowCount(), kPeople.size() + 300);
    }

    // Typed runs of wildcards over long names do not stall the window: each
    // keystroke filters three hundred users at once.
    void searchKeepsUpWithTyping()
    {
        QList<ucmuserData> users;
        for (int n = 1; n <= 300; ++n)
            users << user(n, QStringLiteral("User %1 of the regional sales and marketing department").arg(n));
        CContactsAddListview view;
        view.init();
        view.setUsers(users, {});
        QElapsedTimer clock;
        clock.start();
        QString typed;
        for (int i = 0; i < 30; ++i) {
            typed += QLatin1Char('*');
            view.slot_textChanged(typed);
        }
        view.slot_textChanged(typed + QLatin1Char('z'));
        QCOMPARE(view.proxyModel()->rowCount(), 0);
        view.slot_textChanged(typed + QStringLiteral("?*?*?*?*?*?*?*?*?*?*?*?*x"));
        QCOMPARE(view.proxyModel()->rowCount(), 0);
        view.slot_textChanged(typed + QStringLiteral("department") + typed);
        QCOMPARE(view.proxyModel()->rowCount(), 300);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    // The button under the mouse adds the user of that row of the filtered
    // list; "Added" does nothing; the mark waits for the server.
    void addButtonUnderFilter()
    {
        CContactsAddListview view;
        view.init();
        view.setUsers(directoryUsers(), {contact(11, "Carol Wu", 6, idOf("Carol Wu"))});
        view.resize(555, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy add(&view, &CContactsAddListview::signal_addContact_begin);
        const CContactsAddDelegate *delegate = view.usersDelegate();
        auto pressButton = [&](int proxyRow) {
            const QRect rowRect = view.visualRect(view.model()->index(proxyRow, 0));
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(delegate->buttonRect(rowRect)));
        };

        view.slot_textChanged(QStringLiteral("r"));   // Carol Wu, Erin Park, Ångström Öberg, User ...
        QCOMPARE(proxyRowOf(view, "Erin Park"), 1);
        pressButton(1);
        QCOMPARE(add.size(), 1);
        QCOMPARE(add.at(0).at(0).toInt(), idOf("Erin Park"));
        QVERIFY(!view.usersModel()->itemAt(2).added);

        pressButton(proxyRowOf(view, "Carol Wu"));
        QCOMPARE(add.size(), 1);

        // A press on the row beside the button adds nobody.
        const QRect rowRect = view.visualRect(view.model()->index(1, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(rowRect.left() + 100, rowRect.center().y()));
        QCOMPARE(add.size(), 1);

        view.setAdded(idOf("Erin Park"));
        pressButton(1);
        QCOMPARE(add.size(), 1);
        view.clearAdded(idOf("Erin Park"));
        pressButton(1);
        QCOMPARE(add.size(), 2);
    }

    // What is painted where the clicks count: the red "Add" button, or no
    // fill for "Added", at a fixed distance from the left.
    void paintedButtons()
    {
        CContactsAddListview view;
        view.init();
        view.setUsers({user(1, "Carol Wu"), user(2, "Dave Li")}, {contact(11, "Carol Wu", 6, 1)});
        view.resize(555, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage image = view.viewport()->grab().toImage();
        const CContactsAddDelegate *delegate = view.usersDelegate();
        const QRect added = delegate->buttonRect(view.visualRect(view.model()->index(0, 0)));
        const QRect offered = delegate->buttonRect(view.visualRect(view.model()->index(1, 0)));
        QCOMPARE(added.left(), 450);
        QCOMPARE(QColor(image.pixel(offered.topLeft() + QPoint(2, 2))), QColor("#ffdddd"));
        QCOMPARE(QColor(image.pixel(added.topLeft() + QPoint(2, 2))), QColor("#ffffff"));

        CContactsListview list;
        list.init();
        list.setContacts({contact(11, "Carol Wu", 5, 1)});
        list.resize(250, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const QImage rows = list.viewport()->grab().toImage();
        const QRect separator = list.visualRect(list.model()->index(1, 0));
        QCOMPARE(separator.height(), 1);
        QCOMPARE(QColor(rows.pixel(separator.center())), QColor("#e1e1e1"));
        QCOMPARE(QColor(rows.pixel(QPoint(2, separator.top()))), QColor("#f7f7f7"));

        // The row under the mouse lights up; a section title does not.
        const QRect contactRow = list.visualRect(list.model()->index(3, 0));
        const QRect titleRow = list.visualRect(list.model()->index(2, 0));
        auto colourAt = [&](const QRect &r) { return QColor(list.viewport()->grab().toImage().pixel(QPoint(2, r.center().y()))); };
        // Hover events are sent, not the shared pointer moved: other tests
        // run beside this one on the same display.
        auto hover = [&](const QPoint &from, const QPoint &to) {
            QHoverEvent event(QEvent::HoverMove, to, from);
            QCoreApplication::sendEvent(list.viewport(), &event);
        };
        hover(QPoint(-1, -1), contactRow.center());
        QCOMPARE(colourAt(contactRow), QColor("#ededed"));
        hover(contactRow.center(), titleRow.center());
        QCOMPARE(colourAt(contactRow), QColor("#f7f7f7"));
        QCOMPARE(colourAt(titleRow), QColor("#f7f7f7"));
    }

    // Three hundred users get their own pictures from the fixture; arrivals
    // are announced per row, so neither the filter nor the scroll position is
    // reset while they come in; one user without a picture shows the fallback.
    void directoryAvatars()
    {
        QList<ucmuserData> users = directoryUsers(m_server->baseUrl());
        for (const ucmuserData &u : users)
            m_server->addRoute("GET", QStringLiteral("/u/%1.png").arg(u.id), 200,
                               pngBytes(8 + u.id % 7, 8 + u.id % 5), u.id == 1 ? 300 : 0, "image/png");
        users[3].imageURL = m_server->baseUrl();   // a user without a picture path

        CContactsAddListview view;
        view.init();
        view.resize(555, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy reset(view.usersModel(), &QAbstractItemModel::modelReset);
        QSignalSpy proxyReset(view.proxyModel(), &QAbstractItemModel::modelReset);
        // The first picture is served late, so all of them arrive after this.
        view.setUsers(users, {});
        view.slot_textChanged(QStringLiteral("user"));
        QTRY_VERIFY(view.verticalScrollBar()->maximum() > 0);
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
        const int scrolled = view.verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        QVERIFY(model_isWaiting(view.usersModel()));

        CContactsAddListmodel *model = view.usersModel();
        auto allArrived = [&] {
            for (int row = 0; row < model->rowCount(); ++row)
                if (model->itemAt(row).avatar.isNull())
                    return false;
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(allArrived(), 60000);
        for (int row = 0; row < model->rowCount(); ++row) {
            if (row == 3)
                continue;
            const int id = model->itemAt(row).user.id;
            QCOMPARE(model->itemAt(row).avatar.size(), QSize(8 + id % 7, 8 + id % 5));
        }
        QCOMPARE(model->itemAt(3).avatar.size(), QSize(80, 80));
        QCOMPARE(reset.size(), 1);        // the rebuild only
        QCOMPARE(proxyReset.size(), 1);
        QCOMPARE(view.verticalScrollBar()->value(), scrolled);
        QCOMPARE(view.proxyModel()->rowCount(), 300);

        // A rebuild takes every picture from the cache without asking again.
        const int requests = m_server->requestCount();
        view.setUsers(users, {});
        QTRY_VERIFY_WITH_TIMEOUT(allArrived(), 10000);
        QCOMPARE(m_server->requestCount(), requests + 1);   // only the failed one again
    }

    void directorySelectMode()
    {
        CContactsAddListview view;
        view.init();
        view.setUsers(directoryUsers(), {contact(11, "Carol Wu", 6, idOf("Carol Wu"))});
        QVERIFY(view.getSelectedUsers().isEmpty());
        view.setSelectedUsers({1});   // not in select mode yet
        QVERIFY(view.getSelectedUsers().isEmpty());
        view.setSelectMode();
        QVERIFY(view.usersDelegate()->isSelectMode());
        QVERIFY(view.usersModel()->isSelectMode());
        view.resize(555, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QSignalSpy sync(&view, &CContactsAddListview::signal_selectSyncItem);
        QSignalSpy add(&view, &CContactsAddListview::signal_addContact_begin);
        const CContactsAddDelegate *delegate = view.usersDelegate();
        auto rowRect = [&](int proxyRow) { return view.visualRect(view.model()->index(proxyRow, 0)); };
        view.slot_textChanged(QStringLiteral("i"));   // Dave Li, Erin Park, Alice Chen, ...
        QCOMPARE(shownNames(view).mid(0, 3), (QStringList{"Dave Li", "Erin Park", "Alice Chen"}));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(delegate->tickRect(rowRect(2))));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(delegate->tickRect(rowRect(0))));
        QCOMPARE(sync.size(), 2);
        QCOMPARE(sync.at(0).at(0).toInt(), idOf("Alice Chen"));
        QCOMPARE(sync.at(0).at(1).toBool(), true);
        // The button is gone: its area adds nobody.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(delegate->buttonRect(rowRect(1))));
        QCOMPARE(add.size(), 0);
        QCOMPARE(sync.size(), 2);

        // Directory order, whatever the filter shows.
        view.slot_textChanged(QStringLiteral("zzz"));
        QCOMPARE(view.getSelectedUsers(), (QList<int>{idOf("Dave Li"), idOf("Alice Chen")}));

        view.setSelectedUsers({idOf("Bob Stone"), idOf("Carol Wu"), 9999});
        QCOMPARE(view.getSelectedUsers(), (QList<int>{idOf("Carol Wu"), idOf("Bob Stone")}));
        view.setUserSelected(idOf("Erin Park"), true);
        view.setUserSelected(idOf("Carol Wu"), false);
        QCOMPARE(view.getSelectedUsers(), (QList<int>{idOf("Erin Park"), idOf("Bob Stone")}));

        // A new users reply clears the ticks.
        view.setUsers(directoryUsers(), {});
        QVERIFY(view.getSelectedUsers().isEmpty());
    }

    void directoryOwnEntry()
    {
        m_server->addRoute("GET", "/me.png", 200, pngBytes(17, 17), 0, "image/png");
        CContactsAddListview view;
        view.init();
        view.setUsers(directoryUsers(), {});
        view.slot_textChanged(QStringLiteral("chen"));
        QCOMPARE(view.proxyModel()->rowCount(), 1);
        view.updateCurrentUser(user(idOf("Alice Chen"), "Alicia Chen", url("/me.png")));
        const userItemData me = view.usersModel()->itemAt(idOf("Alice Chen") - 1);
        QCOMPARE(me.text, QStringLiteral("Alicia Chen"));   // no "(Me)" here
        QCOMPARE(me.user.displayName, QStringLiteral("Alicia Chen"));
        QCOMPARE(me.avatarUrl, url("/me.png"));
        QCOMPARE(view.proxyModel()->rowCount(), 1);   // still found by the filter
        view.slot_textChanged(QStringLiteral("alice"));
        QCOMPARE(view.proxyModel()->rowCount(), 0);   // the filter sees the new name
        view.slot_textChanged(QStringLiteral("alicia"));
        QCOMPARE(view.proxyModel()->rowCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(view.usersModel()->itemAt(idOf("Alice Chen") - 1).avatar.size(), QSize(17, 17), 10000);
    }

    void directorySetData_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("text") << 256 << QVariant(QStringLiteral("New")) << true;
        QTest::newRow("added") << 257 << QVariant(true) << true;
        QTest::newRow("picture") << 258 << QVariant(QPixmap(3, 3)) << true;
        QTest::newRow("picture from text") << 258 << QVariant(QStringLiteral("x")) << false;
        QTest::newRow("user") << 259 << QVariant::fromValue(user(42, "X")) << true;
        QTest::newRow("user from a contact") << 259 << QVariant::fromValue(contact(1, "X", 1, 1)) << false;
        QTest::newRow("tick") << 260 << QVariant(true) << true;
        QTest::newRow("other role") << 300 << QVariant(true) << false;
    }

    void directorySetData()
    {
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        CContactsAddListview view;
        view.init();
        view.setUsers({user(1, "Carol Wu")}, {});
        CContactsAddListmodel *model = view.usersModel();
        QCOMPARE(model->setData(model->index(0), value, role), accepted);
        if (!accepted) {
            QCOMPARE(model->itemAt(0).user.id, 1);
            QCOMPARE(model->itemAt(0).text, QStringLiteral("Carol Wu"));
        } else if (role == 259) {
            QCOMPARE(model->itemAt(0).user.id, 42);
        }
        QVERIFY(!model->data(model->index(1), 256).isValid());
        QVERIFY(!model->setData(model->index(1), value, role));
    }

    // ---------------------------------------------------------- scale and resources

    void picturesAtEveryScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("pictureScale");
        QTest::newRow("0.5") << 0.5 << 1.0;
        QTest::newRow("1") << 1.0 << 1.0;
        QTest::newRow("1.25") << 1.25 << 1.5;
        QTest::newRow("1.5") << 1.5 << 1.5;
        QTest::newRow("1.99") << 1.99 << 1.5;
        QTest::newRow("2") << 2.0 << 2.0;
        QTest::newRow("3") << 3.0 << 2.0;
    }

    void picturesAtEveryScale()
    {
        QFETCH(double, scale);
        QFETCH(double, pictureScale);
        const QList<QSize> baseSizes{{28, 28}, {28, 28}, {10, 16}, {14, 14}, {14, 14}};
        const QStringList files = CContactsDelegate::pictureFiles(scale);
        QCOMPARE(files.size(), baseSizes.size());
        for (int i = 0; i < files.size(); ++i) {
            const QPixmap picture(files.at(i));
            QVERIFY2(!picture.isNull(), qPrintable(files.at(i)));
            QCOMPARE(picture.size(), baseSizes.at(i) * pictureScale);
        }
        QCOMPARE(CContactsAddDelegate::pictureFiles(scale), files.mid(3));
        const QString suffix = pictureScale == 1.0 ? QString() : pictureScale == 1.5 ? QStringLiteral("_1.5x") : QStringLiteral("_2x");
        QVERIFY(QFile::exists(QStringLiteral(":/resources/images/contacts/icon_search%1.png").arg(suffix)));
        QVERIFY(QFile::exists(QStringLiteral(":/resources/images/default_user_header.jpg")));
    }

    void searchField_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("side");
        QTest::newRow("1") << 1.0 << 14;
        QTest::newRow("1.5") << 1.5 << 21;
        QTest::newRow("2") << 2.0 << 28;
        QTest::newRow("1.3 truncated") << 1.3 << 18;
        QTest::newRow("0 counts as 1") << 0.0 << 14;
        QTest::newRow("negative counts as 1") << -2.0 << 14;
    }

    void searchField()
    {
        QFETCH(double, scale);
        QFETCH(int, side);
        CSearchAddEdit edit;
        QLabel *icon = edit.findChild<QLabel *>(QStringLiteral("m_label"));
        QVERIFY(icon);
        QCOMPARE(icon->size(), QSize(14, 14));
        edit.updateDpi(scale);
        QCOMPARE(icon->minimumSize(), QSize(side, side));
        QCOMPARE(icon->maximumSize(), QSize(side, side));
        QCOMPARE(edit.textMargins(), QMargins(36, 0, 36, 0));
        QCOMPARE(edit.contentsMargins(), QMargins(0, 0, 0, 0));
    }
};

GLIMORA_TEST_MAIN(TestContactLists)
#include "tst_contactlists.moc"
