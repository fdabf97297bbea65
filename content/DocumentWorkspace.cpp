#include "DocumentWorkspace.h"

namespace trommik2 {

DocumentWorkspace::DocumentWorkspace(const std::string& root) : bank_(44100.0f), sequencer_(bank_.table()) {
    folders_.setRoot(root);
}

} // namespace trommik2
