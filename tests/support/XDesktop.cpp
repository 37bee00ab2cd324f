#include "XDesktop.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace glimora::test::desktop {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T *r)
{
    return Reply<T>(r, &std::free);
}

// The connection input and questions go through: another client than the
// application, as a person's keyboard and mouse are.
struct Display
{
    xcb_connection_t *c = nullptr;
    xcb_window_t root = 0;
    xcb_screen_t *screen = nullptr;
};

// A connection of its own to the display named by DISPLAY.
xcb_connection_t *connectToDisplay(xcb_screen_t **screen)
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        qFatal("XDesktop: cannot connect to the X display");
    *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return c;
}

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    auto r = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Display &display()
{
    static Display d = [] {
        Display made;
        made.c = connectToDisplay(&made.screen);
        made.root = made.screen->root;
        const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(made.c, &xcb_test_id);
        if (!xtest || !xtest->present)
            qFatal("XDesktop: the X server has no XTEST extension");
        return made;
    }();
    return d;
}

xcb_atom_t atom(const char *name)
{
    return internAtom(display().c, name);
}

void roundTrip()
{
    xcb_connection_t *c = display().c;
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void fake(uint8_t type, uint8_t detail, int16_t x = 0, int16_t y = 0)
{
    Display &d = display();
    xcb_test_fake_input(d.c, type, detail, XCB_CURRENT_TIME, type == XCB_MOTION_NOTIFY ? d.root : XCB_NONE, x, y,
                        0);
    xcb_flush(d.c);
}

uint8_t buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::MiddleButton:
        return 2;
    case Qt::RightButton:
        return 3;
    default:
        return 1;
    }
}

// The keyboard's table: the symbols on each key, unshifted first.
struct Keymap
{
    xcb_keycode_t min = 0;
    int perKey = 0;
    std::vector<xcb_keysym_t> syms;

    static Keymap read()
    {
        xcb_connection_t *c = display().c;
        const xcb_setup_t *setup = xcb_get_setup(c);
        Keymap map;
        map.min = setup->min_keycode;
        const uint8_t count = uint8_t(setup->max_keycode - setup->min_keycode + 1);
        auto r = reply(xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, map.min, count), nullptr));
        if (!r)
            return map;
        map.perKey = r->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(r.get());
        map.syms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(r.get()));
        return map;
    }
    int keys() const { return perKey ? int(syms.size()) / perKey : 0; }
    xcb_keysym_t at(int key, int column) const { return syms[size_t(key * perKey + column)]; }

    // The key and whether shift is needed for the symbol, or 0.
    xcb_keycode_t find(xcb_keysym_t sym, bool *shift) const
    {
        for (int column = 0; column < 2 && column < perKey; ++column)
            for (int key = 0; key < keys(); ++key)
                if (at(key, column) == sym) {
                    *shift = column == 1;
                    return xcb_keycode_t(min + key);
                }
        return 0;
    }
    // A key without any symbol, for a character the keyboard lacks.
    xcb_keycode_t spare() const
    {
        for (int key = keys() - 1; key >= 0; --key) {
            bool empty = true;
            for (int column = 0; column < perKey; ++column)
                empty = empty && at(key, column) == 0;
            if (empty)
                return xcb_keycode_t(min + key);
        }
        return 0;
    }
};

xcb_keysym_t keysymOf(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z))
        return xcb_keysym_t(key - Qt::Key_A + 'a');
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return xcb_keysym_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return xcb_keysym_t(0xffbe + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_End:
        return 0xff57;
    default:
        qFatal("XDesktop: no key symbol for Qt key 0x%x", unsigned(key));
    }
}

const struct
{
    Qt::KeyboardModifier modifier;
    xcb_keysym_t sym;
} kModifierKeys[] = {{Qt::ShiftModifier, 0xffe1}, {Qt::ControlModifier, 0xffe3}, {Qt::AltModifier, 0xffe9}};

void tapKey(xcb_keycode_t code, bool shift, const Keymap &map)
{
    bool unused = false;
    const xcb_keycode_t shiftKey = shift ? map.find(0xffe1, &unused) : 0;
    if (shiftKey)
        fake(XCB_KEY_PRESS, shiftKey);
    fake(XCB_KEY_PRESS, code);
    fake(XCB_KEY_RELEASE, code);
    if (shiftKey)
        fake(XCB_KEY_RELEASE, shiftKey);
}

void setKeySymbols(xcb_keycode_t code, xcb_keysym_t sym, int perKey)
{
    std::vector<xcb_keysym_t> syms(size_t(perKey), sym);
    xcb_change_keyboard_mapping(display().c, 1, code, uint8_t(perKey), syms.data());
    roundTrip();
}

xcb_window_t parentOf(xcb_window_t window)
{
    xcb_connection_t *c = display().c;
    auto r = reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return r ? r->parent : XCB_NONE;
}

// The child of the root that holds a window: its frame when managed.
xcb_window_t topOf(xcb_window_t window)
{
    const xcb_window_t root = display().root;
    while (window != XCB_NONE) {
        const xcb_window_t parent = parentOf(window);
        if (parent == root || parent == XCB_NONE)
            return window;
        window = parent;
    }
    return XCB_NONE;
}

WindowId nativeId(QWidget *widget)
{
    if (!widget || !widget->testAttribute(Qt::WA_WState_Created))
        return 0;
    // A window whose flags changed while shown gets a new X window that only
    // its window handle knows.
    if (widget->isWindow() && widget->windowHandle())
        return WindowId(widget->windowHandle()->winId());
    return WindowId(widget->internalWinId());
}

xcb_window_t windowProperty(xcb_window_t window, xcb_atom_t property)
{
    xcb_connection_t *c = display().c;
    auto r = reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!r || xcb_get_property_value_length(r.get()) < 4)
        return XCB_NONE;
    return *static_cast<xcb_window_t *>(xcb_get_property_value(r.get()));
}

// Counts the key releases the application gets.
class KeyReleaseWatcher : public QObject
{
public:
    KeyReleaseWatcher() { qApp->installEventFilter(this); }
    ~KeyReleaseWatcher() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Seen once by the window, once by the widget: either will do.
        if (event->type() == QEvent::KeyRelease)
            ++count;
        return false;
    }
};

} // namespace

bool hasWindowManager()
{
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    const xcb_window_t child = windowProperty(display().root, check);
    return child != XCB_NONE && windowProperty(child, check) == child;
}

bool hasCompositor()
{
    xcb_connection_t *c = display().c;
    auto r = reply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom("_NET_WM_CM_S0")), nullptr));
    return r && r->owner != XCB_NONE;
}

void movePointer(const QPoint &global)
{
    fake(XCB_MOTION_NOTIFY, 0, int16_t(global.x()), int16_t(global.y()));
    settle();
}

void pressButton(Qt::MouseButton button)
{
    fake(XCB_BUTTON_PRESS, buttonNumber(button));
    settle();
}

void releaseButton(Qt::MouseButton button)
{
    fake(XCB_BUTTON_RELEASE, buttonNumber(button));
    settle();
}

void click(const QPoint &global, Qt::MouseButton button)
{
    movePointer(global);
    pressButton(button);
    releaseButton(button);
}

void drag(const QPoint &from, const QPoint &to, int steps)
{
    movePointer(from);
    pressButton(Qt::LeftButton);
    for (int i = 1; i <= steps; ++i)
        movePointer(from + (to - from) * i / steps);
    releaseButton(Qt::LeftButton);
}

void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    const Keymap map = Keymap::read();
    bool shift = false;
    const xcb_keycode_t code = map.find(keysymOf(key), &shift);
    if (!code)
        qFatal("XDesktop: the keyboard has no key 0x%x", unsigned(key));
    std::vector<xcb_keycode_t> held;
    for (const auto &m : kModifierKeys) {
        bool unused = false;
        if (modifiers.testFlag(m.modifier))
            if (xcb_keycode_t mod = map.find(m.sym, &unused))
                held.push_back(mod);
    }
    for (xcb_keycode_t mod : held)
        fake(XCB_KEY_PRESS, mod);
    fake(XCB_KEY_PRESS, code);
    fake(XCB_KEY_RELEASE, code);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        fake(XCB_KEY_RELEASE, *it);
    settle();
}

void typeText(const QString &text)
{
    const Keymap map = Keymap::read();
    for (const uint ch : text.toUcs4()) {
        const xcb_keysym_t sym = ch == '\n' ? 0xff0d : ch < 0x100 ? xcb_keysym_t(ch) : xcb_keysym_t(0x1000000 | ch);
        bool shift = false;
        if (const xcb_keycode_t code = map.find(sym, &shift)) {
            tapKey(code, shift, map);
            continue;
        }
        const xcb_keycode_t spare = map.spare();
        if (!spare)
            qFatal("XDesktop: no spare key for U+%04x", ch);
        // The application reloads its keymap on the change before the key
        // arrives: both travel in order on its connection.
        setKeySymbols(spare, sym, map.perKey);
        settle();
        // The server handles fake input on its own time: the key goes back to
        // nothing only once the application has had it.
        KeyReleaseWatcher released;
        tapKey(spare, false, map);
        (void)QTest::qWaitFor([&released] { return released.count > 0; }, 2000);
        setKeySymbols(spare, 0, map.perKey);
    }
    settle();
}

void settle()
{
    // The server has handled our requests, so the events they caused are on
    // their way to the application; its own round trip brings them in.
    roundTrip();
    for (int i = 0; i < 3; ++i) {
        QGuiApplication::sync();
        QCoreApplication::processEvents();
    }
}

QList<WindowId> windowChainAt(const QPoint &global)
{
    xcb_connection_t *c = display().c;
    QList<WindowId> chain;
    xcb_window_t window = display().root;
    int16_t x = int16_t(global.x()), y = int16_t(global.y());
    for (int depth = 0; depth < 32; ++depth) {
        auto r = reply(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, window, x, y), nullptr));
        if (!r || r->child == XCB_NONE)
            break;
        // Into the child's coordinates for the next step.
        auto inner = reply(
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, r->child, x, y), nullptr));
        if (!inner)
            break;
        window = r->child;
        x = inner->dst_x;
        y = inner->dst_y;
        chain << window;
    }
    return chain;
}

WindowId windowAt(const QPoint &global)
{
    const QList<WindowId> chain = windowChainAt(global);
    return chain.isEmpty() ? 0 : chain.last();
}

QWidget *topLevelAt(const QPoint &global)
{
    const QList<WindowId> chain = windowChainAt(global);
    // The deepest of our windows in the chain; a foreign window inside it (a
    // frame's decoration excepted) would still be ours to answer for.
    QWidget *found = nullptr;
    int foundDepth = -1;
    for (QWidget *widget : QApplication::allWidgets()) {
        const int depth = chain.indexOf(nativeId(widget));
        if (depth > foundDepth && widget->isVisible()) {
            found = widget;
            foundDepth = depth;
        }
    }
    return found ? found->window() : nullptr;
}

QList<WindowId> stackingOrder()
{
    xcb_connection_t *c = display().c;
    QList<WindowId> order;
    auto r = reply(xcb_query_tree_reply(c, xcb_query_tree(c, display().root), nullptr));
    if (!r)
        return order;
    const xcb_window_t *children = xcb_query_tree_children(r.get());
    for (int i = 0; i < xcb_query_tree_children_length(r.get()); ++i)
        order << children[i];
    return order;
}

bool isViewable(QWidget *window)
{
    const WindowId id = nativeId(window);
    if (!id)
        return false;
    xcb_connection_t *c = display().c;
    auto r = reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

int stackingIndex(QWidget *window)
{
    if (!isViewable(window))
        return -1;
    return stackingOrder().indexOf(topOf(nativeId(window)));
}

bool isAbove(QWidget *upper, QWidget *lower)
{
    const int a = stackingIndex(upper);
    const int b = stackingIndex(lower);
    return a >= 0 && b >= 0 && a > b;
}

QRect geometryOf(WindowId window)
{
    xcb_connection_t *c = display().c;
    auto g = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    auto at = reply(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, display().root, 0, 0),
                                                    nullptr));
    if (!g || !at)
        return QRect();
    return QRect(at->dst_x, at->dst_y, g->width, g->height);
}

QRect geometryOf(QWidget *window)
{
    const WindowId id = nativeId(window);
    return id ? geometryOf(id) : QRect();
}

QPoint centreOf(QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

// ---- ForeignWindow -------------------------------------------------------------

namespace {

// The other program: one connection for all its windows, kept for the
// process, so no window id is ever used twice while the window manager may
// still remember the old window.
struct OtherProgram
{
    xcb_connection_t *c = nullptr;
    xcb_screen_t *screen = nullptr;
    struct State
    {
        bool mapped = false;
        int presses = 0;
        QPoint lastPress;
    };
    QHash<xcb_window_t, State> windows;

    static OtherProgram &instance()
    {
        static OtherProgram program = [] {
            OtherProgram made;
            made.c = connectToDisplay(&made.screen);
            return made;
        }();
        return program;
    }

    xcb_atom_t intern(const char *name) { return internAtom(c, name); }

    void readEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            switch (event->response_type & 0x7f) {
            case XCB_BUTTON_PRESS: {
                const auto *press = reinterpret_cast<xcb_button_press_event_t *>(event);
                if (windows.contains(press->event)) {
                    State &state = windows[press->event];
                    ++state.presses;
                    state.lastPress = QPoint(press->root_x, press->root_y);
                }
                break;
            }
            case XCB_MAP_NOTIFY: {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (windows.contains(map->window))
                    windows[map->window].mapped = true;
                break;
            }
            case XCB_UNMAP_NOTIFY: {
                const auto *unmap = reinterpret_cast<xcb_unmap_notify_event_t *>(event);
                if (windows.contains(unmap->window))
                    windows[unmap->window].mapped = false;
                break;
            }
            default:
                break;
            }
            std::free(event);
        }
    }
};

} // namespace

ForeignWindow::ForeignWindow(const QRect &geometry, uint32_t rgb, Kind kind)
{
    OtherProgram &program = OtherProgram::instance();
    xcb_connection_t *c = program.c;
    m_window = xcb_generate_id(c);
    program.windows.insert(m_window, {});
    const uint32_t values[] = {rgb & 0xffffff, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, program.screen->root, int16_t(geometry.x()),
                      int16_t(geometry.y()), uint16_t(geometry.width()), uint16_t(geometry.height()), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, program.screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
                      values);

    // Where the program asked, as it asked, without a frame.
    uint32_t hints[18] = {};
    hints[0] = 1 | 2 | 4 | 8; // USPosition, USSize, PPosition, PSize
    hints[1] = uint32_t(geometry.x());
    hints[2] = uint32_t(geometry.y());
    hints[3] = uint32_t(geometry.width());
    hints[4] = uint32_t(geometry.height());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18,
                        hints);
    const uint32_t motif[5] = {2, 0, 0, 0, 0}; // decorations: none
    const xcb_atom_t motifAtom = program.intern("_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, motifAtom, motifAtom, 32, 5, motif);
    const xcb_atom_t type =
        program.intern(kind == Desktop ? "_NET_WM_WINDOW_TYPE_DESKTOP" : "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, program.intern("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32,
                        1, &type);
    const char name[] = "another program";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        uint32_t(sizeof name - 1), name);
    xcb_map_window(c, m_window);
    xcb_flush(c);
}

ForeignWindow::~ForeignWindow()
{
    OtherProgram &program = OtherProgram::instance();
    xcb_destroy_window(program.c, m_window);
    xcb_flush(program.c);
    program.readEvents();
    program.windows.remove(m_window);
}

bool ForeignWindow::waitUntilMapped(int timeoutMs)
{
    OtherProgram &program = OtherProgram::instance();
    if (!QTest::qWaitFor(
            [&] {
                program.readEvents();
                return program.windows.value(m_window).mapped;
            },
            timeoutMs))
        return false;
    settle();
    return true;
}

int ForeignWindow::presses()
{
    // Our round trip orders it after any input sent; the window's own
    // round trip brings in what the server sent it.
    OtherProgram &program = OtherProgram::instance();
    roundTrip();
    std::free(xcb_get_input_focus_reply(program.c, xcb_get_input_focus(program.c), nullptr));
    program.readEvents();
    return program.windows.value(m_window).presses;
}

QPoint ForeignWindow::lastPress() const
{
    return OtherProgram::instance().windows.value(m_window).lastPress;
}

} // namespace glimora::test::desktop
