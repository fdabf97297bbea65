#include "X11ErrorTrap.h"

namespace trommik2 {
namespace {

bool errorSeen = false;

int noteError(Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}

} // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), outerFailed_(errorSeen) {
    XSync(display_, False);
    errorSeen = false;
    previous_ = XSetErrorHandler(noteError);
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
    errorSeen = outerFailed_ || errorSeen;
}

bool X11ErrorTrap::failed() {
    XSync(display_, False);
    return errorSeen;
}

} // namespace trommik2
