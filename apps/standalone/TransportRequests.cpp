#include "TransportRequests.h"

#include "Transport.h"

void TransportRequests::apply(Transport& transport) {
    const int command = command_.exchange(kNone, std::memory_order_acq_rel);
    if (command == kPlay)
        transport.resume();
    else if (command == kStop)
        transport.stop();
    const float tempo = tempo_.exchange(0.0f, std::memory_order_acq_rel);
    if (tempo > 0.0f)
        transport.setTempo(tempo);
    playing_.store(transport.playing(), std::memory_order_relaxed);
    shownTempo_.store(transport.tempo(), std::memory_order_relaxed);
}
