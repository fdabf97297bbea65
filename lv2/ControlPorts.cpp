#include "ControlPorts.h"

namespace trommik2::lv2 {

bool ControlPorts::connect(uint32_t port, const float* data) {
    if (port < kFirst || port >= kFirst + kCount)
        return false;
    ports_[port - kFirst] = data;
    return true;
}

float ControlPorts::value(uint32_t port, float fallback) const {
    if (port < kFirst || port >= kFirst + kCount || !ports_[port - kFirst])
        return fallback;
    return *ports_[port - kFirst];
}

} // namespace trommik2::lv2
