#include "X11DropTarget.h"

#include <X11/Xatom.h>

#include "X11Connection.h"
#include "X11ErrorTrap.h"

namespace trommik2 {
namespace {

constexpr long kVersion = 5;

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "%2F" and the like; a broken escape spoils the whole URI.
bool percentDecode(const std::string& text, std::string* decoded) {
    decoded->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *decoded += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low < 0)
            return false;
        *decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

// The path of a "file:" URI ("file:///p", "file://localhost/p" or "file:/p"), empty for others.
std::string localPath(const std::string& uri) {
    static const std::string scheme = "file:";
    if (uri.compare(0, scheme.size(), scheme) != 0)
        return "";
    std::string rest = uri.substr(scheme.size());
    if (rest.compare(0, 2, "//") == 0) {
        const size_t slash = rest.find('/', 2);
        const std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        if (slash == std::string::npos || (!host.empty() && host != "localhost"))
            return "";
        rest = rest.substr(slash);
    }
    std::string path;
    if (rest.empty() || rest[0] != '/' || !percentDecode(rest, &path) || path.find('\0') != std::string::npos)
        return "";
    return path;
}

// A window property as read: its type (None when missing), the format of its
// items (8 or 32) and their count, and the items (32-bit ones as longs).
struct Property {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    std::string data;
};

Property readProperty(Display* display, Window window, Atom name, Atom type, long length, bool remove) {
    Property property;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, length, remove, type, &property.type, &property.format,
                           &property.count, &after, &data) == Success &&
        data) {
        const size_t itemSize = property.format == 32 ? sizeof(long) : property.format / 8;
        property.data.assign(reinterpret_cast<const char*>(data), property.count * itemSize);
    }
    if (data)
        XFree(data);
    return property;
}

} // namespace

X11DropTarget::X11DropTarget(Display* display, Window window, Window topLevel, Listener& listener)
    : display_(display), window_(window), listener_(listener) {
    auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
    aware_ = atom("XdndAware");
    proxy_ = atom("XdndProxy");
    enter_ = atom("XdndEnter");
    position_ = atom("XdndPosition");
    status_ = atom("XdndStatus");
    leave_ = atom("XdndLeave");
    drop_ = atom("XdndDrop");
    finished_ = atom("XdndFinished");
    selection_ = atom("XdndSelection");
    typeList_ = atom("XdndTypeList");
    uriList_ = atom("text/uri-list");
    copy_ = atom("XdndActionCopy");
    property_ = atom("TROMMIK2_DROP");
    const Atom version = kVersion;
    XChangeProperty(display_, window_, aware_, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&version), 1);
    if (topLevel && topLevel != window_)
        proxyFor(topLevel);
}

void X11DropTarget::proxyFor(Window topLevel) {
    X11ErrorTrap trap(display_);
    if (readProperty(display_, topLevel, aware_, AnyPropertyType, 1, false).type != None || trap.failed())
        return;
    const long version = kVersion;
    const Window self = window_;
    XChangeProperty(display_, topLevel, aware_, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&version), 1);
    XChangeProperty(display_, topLevel, proxy_, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&self), 1);
    XChangeProperty(display_, window_, proxy_, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&self), 1);
    if (trap.failed())
        return;
    proxied_ = topLevel;
    X11Connection::forwardClientMessages(proxied_, window_, {enter_, position_, leave_, drop_});
}

X11DropTarget::~X11DropTarget() {
    if (!proxied_)
        return;
    X11Connection::forwardClientMessages(proxied_, 0, {});
    // The top-level window may be gone already (or another client's).
    X11ErrorTrap trap(display_);
    XDeleteProperty(display_, proxied_, aware_);
    XDeleteProperty(display_, proxied_, proxy_);
    trap.failed();
}

std::vector<std::string> X11DropTarget::pathsFromUriList(const std::string& text) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            if (std::string path = localPath(line); !path.empty())
                paths.push_back(path);
        start = end + 1;
    }
    return paths;
}

bool X11DropTarget::handle(const XEvent& event) {
    if (event.type == SelectionNotify && event.xselection.property == property_) {
        arrived(event.xselection);
        return true;
    }
    if (event.type != ClientMessage)
        return false;
    const XClientMessageEvent& message = event.xclient;
    const Atom type = message.message_type;
    if (type == enter_)
        entered(message);
    else if (type == position_)
        moved(message);
    else if (type == drop_)
        dropped(message);
    else if (type == leave_ && static_cast<Window>(message.data.l[0]) == source_) {
        reset();
        listener_.filesDragged({}, 0, 0);
    } else
        return false;
    return true;
}

void X11DropTarget::entered(const XClientMessageEvent& message) {
    reset();
    source_ = static_cast<Window>(message.data.l[0]);
    target_ = message.window;
    const bool moreTypes = message.data.l[1] & 1;
    if (!moreTypes) {
        for (int i = 2; i < 5; ++i)
            offersUris_ = offersUris_ || static_cast<Atom>(message.data.l[i]) == uriList_;
    } else {
        // The source's window may go at any time.
        X11ErrorTrap trap(display_);
        const Property types = readProperty(display_, source_, typeList_, XA_ATOM, 1024, false);
        for (unsigned long i = 0; types.format == 32 && i < types.count; ++i)
            offersUris_ = offersUris_ || reinterpret_cast<const Atom*>(types.data.data())[i] == uriList_;
    }
    if (offersUris_)
        requestList(CurrentTime);
}

void X11DropTarget::moved(const XClientMessageEvent& message) {
    if (static_cast<Window>(message.data.l[0]) != source_)
        return;
    const int rootX = static_cast<int>((message.data.l[2] >> 16) & 0xffff);
    const int rootY = static_cast<int>(message.data.l[2] & 0xffff);
    Window child = 0;
    XTranslateCoordinates(display_, DefaultRootWindow(display_), window_, rootX, rootY, &x_, &y_, &child);
    // Bit 1: keep sending positions, the names shown depend on the point.
    reply(status_, offersUris_ ? 3 : 2, offersUris_ ? static_cast<long>(copy_) : 0);
    if (offersUris_)
        listener_.filesDragged(listArrived_ ? paths_ : std::vector<std::string>{}, x_, y_);
}

void X11DropTarget::dropped(const XClientMessageEvent& message) {
    if (static_cast<Window>(message.data.l[0]) != source_)
        return;
    if (!offersUris_) {
        reply(finished_, 0, 0);
        reset();
        return;
    }
    dropPending_ = true;
    if (listArrived_)
        deliver();
    else
        requestList(static_cast<Time>(message.data.l[2]));
}

void X11DropTarget::requestList(Time time) {
    XConvertSelection(display_, selection_, uriList_, property_, window_, time);
    XFlush(display_);
}

void X11DropTarget::arrived(const XSelectionEvent& selection) {
    const Property list = readProperty(display_, window_, property_, AnyPropertyType, 1 << 20, true);
    const std::string text = list.format == 8 ? list.data : std::string();
    if (!source_)
        return;
    if (selection.property == None) {
        // The source would not hand the list over: the drop ends without files.
        if (dropPending_) {
            reply(finished_, 0, 0);
            reset();
        }
        return;
    }
    paths_ = pathsFromUriList(text);
    listArrived_ = true;
    if (dropPending_)
        deliver();
    else
        listener_.filesDragged(paths_, x_, y_);
}

void X11DropTarget::deliver() {
    // The source may end its drag (and its process) now; the paths are ours.
    std::vector<std::string> paths = paths_;
    const int x = x_, y = y_;
    reply(finished_, 1, static_cast<long>(copy_));
    reset();
    listener_.filesDropped(paths, x, y);
}

void X11DropTarget::reply(Atom type, long accepted, long action) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = display_;
    event.xclient.window = source_;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(target_);
    event.xclient.data.l[1] = accepted;
    event.xclient.data.l[2] = type == finished_ ? action : 0;
    event.xclient.data.l[4] = type == status_ ? action : 0;
    X11ErrorTrap trap(display_);
    XSendEvent(display_, source_, False, NoEventMask, &event);
    trap.failed();
}

void X11DropTarget::reset() {
    source_ = 0;
    target_ = 0;
    offersUris_ = false;
    listArrived_ = false;
    dropPending_ = false;
    paths_.clear();
}

} // namespace trommik2
